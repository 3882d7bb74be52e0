#pragma once
// The batch number, the source customer and the source document, and what a
// batch's status leaves the clerk to change.

#include <string>

namespace corvena::transfer {

int cNATrBatNbr_ValueCheck(std::string& text);
void cNATrBatNbr_ValueDisplayed();
int cBatchHandling_ValueCheck(std::string& text);
int cSrcCustId_ValueCheck(std::string& text);
int cSrcRefNbr_ValueCheck(std::string& text);
// Fields, columns and toolbar buttons by the header's status.
void ApplyBatchStatus();

}  // namespace corvena::transfer
