#pragma once
// What must hold of national-account payments in any company database, whatever
// two clerks, a killed process or hostile input did. The tests and the
// reliability runs call it on the databases they leave behind.

#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena {

// One line per thing that does not hold; none when everything does.
std::vector<std::string> paymentInvariantProblems(db::Database& db);

}  // namespace corvena
