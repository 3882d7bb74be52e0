#pragma once
// "Import Remittance...": a chain's remittance advice typed into a new payment
// as a clerk would type it (the parent, the check, then each line's amount and
// discount through the screen's own checks), and a review of every line.
// Nothing is saved: the clerk corrects what is left and saves as usual.

#include <string>

namespace corvena::payapp {

void cmdImport_Click();
void ImportRemittance(const std::string& path);

}  // namespace corvena::payapp
