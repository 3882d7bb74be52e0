#pragma once
// The SQLite engine behind the seam: a company database in one file.

#include <memory>
#include <string>

#include "platform/db/connection.h"

namespace corvena::db::sqlite {

// Opens the file read-write or, when it cannot be written or only viewing is
// asked, for reading only; refuses a file that is not a company database.
Opened open(const std::string& path, Database::Access access);
// A new, empty file; fails when it exists or cannot be made.
std::unique_ptr<Connection> create(const std::string& path);
void removeFiles(const std::string& path);

}  // namespace corvena::db::sqlite
