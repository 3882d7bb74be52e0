#pragma once
// The users a new company starts with.

#include <string>

#include "platform/db/database.h"

namespace corvena::demo {

inline constexpr const char* kAdministrator = "SYSADMIN";

// The one administrator of a new company; the password given, or a new one
// made up and returned when none is.
std::string addAdministrator(db::Database& db, std::string password);
// The demo company's administrator and two clerks, with the passwords the README gives.
void addDemoUsers(db::Database& db);

}  // namespace corvena::demo
