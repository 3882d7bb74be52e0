#pragma once
// The destination grid's new lines and customers, and Apply, which opens the
// host's payment application on a released destination's credit memo.

#include <string>

namespace corvena::transfer {

int Spread1_LineChange(int action);
int cDestCustID_ValueCheck(std::string& text);
void cmdApply_Click();

}  // namespace corvena::transfer
