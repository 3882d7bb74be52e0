#pragma once
// The host's fiscal periods: "YYYYPP", the period numbered from 01 to the
// number of periods a year the company's GL setup gives.

#include <string_view>

namespace corvena::db {
class Database;
}

namespace corvena::forms {

// A calendar without a GL setup (or one giving no count) has a period a month.
inline constexpr int kDefaultPeriodsPerYear = 12;

// The GL setup's NbrPer; kDefaultPeriodsPerYear when there is none to read.
int periodsPerYear(db::Database& database);
bool validPeriod(std::string_view text, int periodsPerYear);

}  // namespace corvena::forms
