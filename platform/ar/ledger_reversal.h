#pragma once
// Releasing a reversal (a returned check, a payment released on the wrong
// customer): what its document applied and posted is taken back under the
// reversal's batch and period, and the original batch and period stay as they were.

#include <vector>

#include "platform/ar/ledger.h"
#include "platform/db/host_records.h"

namespace corvena::ar {

// What a reversal posting in `period` would come to (the payment's amount, or
// what the credit applied in the one batch), or why it may not be released.
struct ReversalCheck {
  std::string why;
  double amount = 0;
};
ReversalCheck checkReversal(db::Database& db, const ARDoc& rv, const std::string& period,
                            const ARSetup& setup);

// Releases the unreleased reversal `rv` of `batch`; its GL lines join `lines`,
// numbered after those already there. Throws Refused when a rule is broken.
void releaseReversal(db::Database& db, const ARDoc& rv, const Batch& batch, const ARSetup& setup,
                     const Releaser& by, std::vector<GLTran>& lines);

}  // namespace corvena::ar
