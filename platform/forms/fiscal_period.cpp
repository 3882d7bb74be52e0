#include "platform/forms/fiscal_period.h"

#include <charconv>

#include "platform/db/database.h"

namespace corvena::forms {

namespace {

constexpr int kFirstYear = 1900;  // the year of the blank date

int number(std::string_view digits) {
  int value = -1;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return ec == std::errc() && end == digits.data() + digits.size() ? value : -1;
}

}  // namespace

int periodsPerYear(db::Database& database) {
  if (database.columns("GLSetup").empty()) return kDefaultPeriodsPerYear;
  db::Statement st = database.prepare("SELECT MAX(NbrPer) FROM GLSetup");
  if (!st.step()) return kDefaultPeriodsPerYear;
  const db::Value v = st.column(0);
  const auto* count = std::get_if<std::int64_t>(&v);
  return count && *count > 0 ? static_cast<int>(*count) : kDefaultPeriodsPerYear;
}

bool validPeriod(std::string_view text, int periodsPerYear) {
  if (text.size() != 6 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return false;
  const int period = number(text.substr(4));
  return number(text.substr(0, 4)) >= kFirstYear && period >= 1 && period <= periodsPerYear;
}

}  // namespace corvena::forms
