#pragma once
// Which fields and buttons a batch of each status leaves open.

namespace corvena::payapp {

// By bXNAHeader.Status: "C" closed or "V" reversed, "P" partially released, else open.
void ApplyBatchStatus();
// Grid lines are made and removed only by the screen: New and Delete stay off
// at the grid's level, whatever switched the buttons of every level back on.
void LockGridLines();

}  // namespace corvena::payapp
