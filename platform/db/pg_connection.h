#pragma once
// The PostgreSQL engine behind the seam: a company database on a server, named
// by a libpq connection string "postgresql://[user@]host[:port]/database[?...]".

#include <memory>
#include <string>

#include "platform/db/connection.h"

namespace corvena::db::pg {

bool isServerName(const std::string& name);
// Whether the connection string carries a password (user:password@, ?password=).
bool namesPassword(const std::string& name);
// Connects; refuses a server database that is not a company database.
Opened open(const std::string& name, Database::Access access, const Database::Role& role);
// Makes the database on the server (when missing) and connects to it; fails
// when it already holds tables.
std::unique_ptr<Connection> create(const std::string& name);
void drop(const std::string& name);

// Whether the server holds a database of that name, company or not.
bool exists(const std::string& name);
std::string databaseOf(const std::string& name);
// The connection string of another database on the same server, signed on alike.
std::string onDatabase(const std::string& name, const std::string& database);
// The database alone, its clerks disconnected; drop() also removes the company's roles.
void dropDatabase(const std::string& name);
void renameDatabase(const std::string& name, const std::string& to);

}  // namespace corvena::db::pg
