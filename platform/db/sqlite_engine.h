#pragma once
// What the SQLite connection, its cursors and its backups share.

#include <sqlite3.h>

#include <memory>
#include <string>

#include "platform/db/connection.h"

namespace corvena::db::sqlite {

// SQLite's result code and message as a clerk reads it: a damaged file, a lock
// held by another user and a file that cannot be written each say so.
DbError error(int code, const std::string& message);
// Each run of the cursor is counted on `counted`.
std::unique_ptr<Cursor> prepareCursor(sqlite3* db, const std::string& sql, Connection& counted);

// A handle on the file named by its URI, waiting for locks as every connection
// does; `path` is the name its errors give.
sqlite3* openHandle(const std::string& uri, const std::string& path, int flags);
std::string fileUri(const std::string& path, const char* query);
// Read-write where this process may write the file and its directory, else read-only.
sqlite3* openForReading(const std::string& path, bool canWrite);
bool writable(const std::string& path);

}  // namespace corvena::db::sqlite
