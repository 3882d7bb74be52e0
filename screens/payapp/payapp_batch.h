#pragma once
// The batch header's entries: batch number, parent customer and payment type.

#include <string>

namespace corvena::payapp {

int cNABatNbr_ValueCheck(std::string& text);
void cNABatNbr_ValueDisplayed();
int cCustId_ValueCheck(std::string& text);
int cType_ValueCheck(std::string& text);

}  // namespace corvena::payapp
