#pragma once
// The grid of open documents of the parent and its children.

#include <string_view>

namespace corvena::payapp {

// Empties and refills the grid for the batch in bXNAHeader, then sorts it.
void LoadDetailLines();
// Zeroes the applied and discount totals and deletes every line.
void ClearDetailLines();
// Re-orders the lines by bXHeader.SortOrder, keeping each line's state.
void SortDetailLines();
// False when an unreleased payment touches the document, or when it belongs to
// another company than the one signed on to, unless that is the GL setup's.
bool IsDocumentSelectable(std::string_view RefNbr, std::string_view DocType,
                          std::string_view CustId);
// A new line starts: the application record takes the batch and the signed-on company.
int Spread1_LineChange(int code);

}  // namespace corvena::payapp
