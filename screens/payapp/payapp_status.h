#pragma once
// Which fields and buttons a batch of each status leaves open.

namespace corvena::payapp {

// By bXNAHeader.Status: "C" closed, "P" partially released, else open.
void ApplyBatchStatus();

}  // namespace corvena::payapp
