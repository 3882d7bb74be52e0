#include <sqlite3.h>

#include "platform/db/database.h"

namespace corvena::db {

bool DbError::damaged() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

bool DbError::locked() const {
  const int primary = code_ & 0xFF;
  return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

DbError sqliteError(int code, const std::string& message) {
  const DbError plain(message, code);
  if (plain.damaged())
    return DbError("The company database is damaged (" + message +
                       "); restore it from a backup. Nothing was changed.",
                   code);
  if (plain.locked())
    return DbError("Another user held the company database locked too long (" + message +
                       "); try again.",
                   code);
  if ((code & 0xFF) == SQLITE_READONLY)
    return DbError("The company database cannot be written (" + message + ").", code);
  return plain;
}

}  // namespace corvena::db
