#include "platform/db/sqlite_engine.h"

namespace corvena::db::sqlite {

namespace {

DbError::Kind kindOf(int code) {
  switch (code & 0xFF) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return DbError::Kind::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return DbError::Kind::Locked;
    case SQLITE_READONLY: return DbError::Kind::ReadOnly;
    default:
      return code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY
                 ? DbError::Kind::Duplicate
                 : DbError::Kind::Other;
  }
}

}  // namespace

DbError error(int code, const std::string& message) {
  const auto kind = kindOf(code);
  switch (kind) {
    case DbError::Kind::Damaged:
      return DbError("The company database is damaged (" + message +
                         "); restore it from a backup. Nothing was changed.",
                     kind);
    case DbError::Kind::Locked:
      return DbError("Another user held the company database locked too long (" + message +
                         "); try again.",
                     kind);
    case DbError::Kind::ReadOnly:
      return DbError("The company database cannot be written (" + message + ").", kind);
    default: return DbError(message, kind);
  }
}

}  // namespace corvena::db::sqlite
