#pragma once
// Applying amounts: the apply amount, discount, payment amount and batch
// handling checks, "Pay Document", and the unapplied amount.

namespace corvena::payapp {

void registerApplyHandlers();
// UnAppliedAmt = amount - ApplyTotal, redrawn.
void ShowUnapplied(double amount);

}  // namespace corvena::payapp
