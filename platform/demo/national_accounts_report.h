#pragma once
// A plain-text view of a company database: each national account with its
// children and the open documents of the account, then the customers outside any.

#include <ostream>

#include "platform/db/database.h"

namespace corvena::demo {

void printNationalAccounts(db::Database& db, std::ostream& out);

}  // namespace corvena::demo
