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

// `names` are the procedure's column names, `value` the one holding the value.
std::vector<LookupColumn> shownLookupColumns(const std::vector<std::string>& names,
                                             std::size_t value, const std::string& valueHeading);

}  // namespace corvena::ui
