#pragma once
// The sort options of the grid.

#include <string>

namespace corvena::payapp {

int cSortOrder_ValueCheck(std::string& text);

}  // namespace corvena::payapp
