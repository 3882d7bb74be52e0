#pragma once
// The documents a release enters for a batch, each recorded on the batch as
// soon as the host has stored it: the debit memo of the source customer and a
// credit memo per destination. A document already recorded, or already in the
// host under the batch's mark, is not entered again.

#include <string>

namespace corvena::transfer {

struct EarlierRelease {
  std::string batch;      // the host batch holding what an earlier release entered
  bool released = false;  // the host released it
  bool complete = false;  // every document of the batch is recorded
};

// Records the documents an earlier release of the batch left in the host and
// continues in its host batch while the host has not released it.
EarlierRelease ResumeEarlierRelease();
void EnterDebitMemo();
void EnterCreditMemos();
void RecordHostBatch(const std::string& hostBatch);

}  // namespace corvena::transfer
