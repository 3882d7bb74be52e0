#pragma once
// The grid of open documents of the parent and its children.

namespace corvena::payapp {

// Empties and refills the grid for the batch in bXNAHeader, then sorts it.
void LoadDetailLines();
// Zeroes the applied and discount totals and deletes every line.
void ClearDetailLines();
// Re-orders the lines by bXHeader.SortOrder, keeping each line's state.
void SortDetailLines();
// A new line starts: the application record takes the batch and the signed-on company.
int Spread1_LineChange(int code);

}  // namespace corvena::payapp
