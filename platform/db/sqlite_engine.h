#pragma once
// What the SQLite connection and its cursors share.

#include <sqlite3.h>

#include <memory>
#include <string>

#include "platform/db/connection.h"

namespace corvena::db::sqlite {

// SQLite's result code and message as a clerk reads it: a damaged file, a lock
// held by another user and a file that cannot be written each say so.
DbError error(int code, const std::string& message);
std::unique_ptr<Cursor> prepareCursor(sqlite3* db, const std::string& sql);

}  // namespace corvena::db::sqlite
