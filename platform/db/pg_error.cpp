#include <string_view>

#include "platform/db/pg_engine.h"

namespace corvena::db::pg {

namespace {

std::string field(const PGresult* r, int code) {
  const char* f = r ? pq().PQresultErrorField(r, code) : nullptr;
  return f ? f : "";
}

// "Key (a, b)=(1, 2) already exists." names the key's columns.
std::vector<std::string> keyColumns(const std::string& detail) {
  std::vector<std::string> out;
  const auto open = detail.find("Key (");
  const auto close = detail.find(")=(");
  if (open == std::string::npos || close == std::string::npos) return out;
  std::string_view list = std::string_view(detail).substr(open + 5, close - open - 5);
  while (!list.empty()) {
    const auto comma = std::min(list.find(", "), list.size());
    out.emplace_back(list.substr(0, comma));
    list.remove_prefix(std::min(comma + 2, list.size()));
  }
  return out;
}

// Worded as SQLite words it, which the screens read to name the key's fields.
DbError duplicate(const PGresult* r, const std::string& primary) {
  const std::string table = field(r, PG_DIAG_TABLE_NAME);
  std::string text;
  for (const auto& c : keyColumns(field(r, PG_DIAG_MESSAGE_DETAIL)))
    text += (text.empty() ? "" : ", ") + table + "." + c;
  if (text.empty() || table.empty()) return DbError(primary, DbError::Kind::Duplicate);
  return DbError("UNIQUE constraint failed: " + text, DbError::Kind::Duplicate);
}

DbError lostConnection() {
  return DbError("The connection to the company database server was lost; nothing of this "
                 "event was saved. Try again: the connection is made anew.",
                 DbError::Kind::Lost);
}

}  // namespace

DbError error(const PGresult* r, PGconn* conn, const std::string& context) {
  if (pq().PQstatus(conn) != CONNECTION_OK)
    return lostConnection();
  const std::string state = field(r, PG_DIAG_SQLSTATE);
  std::string primary = field(r, PG_DIAG_MESSAGE_PRIMARY);
  if (primary.empty()) primary = pq().PQerrorMessage(conn);
  if (state == "40001" || state == "40P01")
    return DbError("Another clerk's save on the company database collided with this one; "
                   "nothing of this one was saved. Try again.",
                   DbError::Kind::Conflict);
  if (state == "55P03")
    return DbError("Another user held the company database locked too long (" + primary +
                       "); try again.",
                   DbError::Kind::Locked);
  if (state == "23505") return duplicate(r, primary);
  if (state == "42501")
    return DbError("The company database server refused it: " + primary +
                       ". The user's rights on the screen do not cover it; nothing was changed.",
                   DbError::Kind::Denied);
  if (state == "25006")
    return DbError("The company database cannot be written (" + primary + ").",
                   DbError::Kind::ReadOnly);
  if (state == "XX001" || state == "XX002")
    return DbError("The company database is damaged (" + primary +
                       "); restore it from a backup. Nothing was changed.",
                   DbError::Kind::Damaged);
  if (state.rfind("08", 0) == 0 || state == "57P01")
    return lostConnection();
  if (state == "P0001" || context.empty()) return DbError(primary);
  return DbError(primary + " in: " + context);
}

}  // namespace corvena::db::pg
