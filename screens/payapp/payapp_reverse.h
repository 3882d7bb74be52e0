#pragma once
// "Reverse Batch...": a closed batch's host payments taken back in AR (a
// returned check, a payment released on the wrong account), through the host's
// payment application screen as the release entered them. The batch becomes
// "V" and keeps its lines, with the reversal's host batch.

#include <string>

#include "platform/db/record.h"

namespace corvena::payapp {

// The button: asks the date and the reason, for a closed batch and a clerk
// who may release it.
void cmdReverse_Click();

// Drives the reversal: what an earlier one left half done is settled first,
// then every payment of the batch not yet reversed is.
void ReverseBatch(const Date& date, const std::string& reason);

// An earlier reversal killed half way: what it left unreleased in AR goes;
// when nothing of the batch is left to reverse, the batch is marked reversed
// (true).
bool RecoverInterruptedReversal();

}  // namespace corvena::payapp
