#pragma once
// Applying amounts: the apply amount, discount, payment amount and batch
// handling checks, "Pay Document", and the unapplied amount.

#include <string>

namespace corvena::payapp {

void registerApplyHandlers();
// UnAppliedAmt = amount - ApplyTotal, redrawn.
void ShowUnapplied(double amount);

int cCuryApplAmt_ValueCheck(std::string& text);
int cDiscAmt_ValueCheck(std::string& text);
int cOrigDocAmt_ValueCheck(std::string& text);
int cBatchHandling_ValueCheck(std::string& text);
// "Pay Document": pays the current line in full, net of its discount, as far
// as the payment reaches.
void cbAutoApply_Click();

}  // namespace corvena::payapp
