#pragma once
// Which columns of a look-up list a clerk sees, and under what headings: the
// value first (titled by the field's label), then the columns that describe
// it; the value is the first shown. Row versions and audit columns stay hidden.

#include <string>
#include <vector>

namespace corvena::ui {

struct LookupColumn {
  std::size_t index = 0;  // in the procedure's row
  std::string heading;
};

// `names` are the procedure's column names. The value is the first column
// named like one of `valueNames` (the field, its heading), else the first.
std::vector<LookupColumn> shownLookupColumns(const std::vector<std::string>& names,
                                             const std::vector<std::string>& valueNames,
                                             const std::string& valueHeading);

}  // namespace corvena::ui
