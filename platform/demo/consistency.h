#pragma once
// Checks a company database's AR documents and national-account links: every
// balance within its amount, every child under one parent at most, no parent a
// child, every linked customer on file.

#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::demo {

// One line per problem found; empty when the database is consistent.
std::vector<std::string> consistencyProblems(db::Database& db);

}  // namespace corvena::demo
