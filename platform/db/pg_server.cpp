// Finding, making and removing company databases on a server.

#include <cctype>
#include <cstring>
#include <vector>

#include "platform/db/pg_connection.h"
#include "platform/db/pg_engine.h"

namespace corvena::db::pg {

namespace {

constexpr const char* kMarker = "corvena-company";

void quiet(void*, const char*) {}

std::string uriEscaped(const std::string& value) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  for (const unsigned char c : value) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~')
      out += static_cast<char>(c);
    else
      out += {'%', hex[c >> 4], hex[c & 0xF]};
  }
  return out;
}

// Connects to the database the name gives, or with `database` to another on the
// same server, as the role given or else as the name says; nullptr with the
// reason when the server refuses, `signOn` set when it refused the role.
PGconn* connect(const std::string& name, const char* database, std::string& why,
                const Database::Role& role = {}, bool* signOn = nullptr) {
  std::vector<const char*> keys{"dbname"}, values{name.c_str()};
  if (database) keys.push_back("dbname"), values.push_back(database);
  if (!role.user.empty()) {
    keys.insert(keys.end(), {"user", "password"});
    values.insert(values.end(), {role.user.c_str(), role.password.c_str()});
  }
  keys.push_back(nullptr), values.push_back(nullptr);
  PGconn* conn = pq().PQconnectdbParams(keys.data(), values.data(), 1);
  if (pq().PQstatus(conn) == CONNECTION_OK) {
    pq().PQsetNoticeProcessor(conn, quiet, nullptr);
    return conn;
  }
  why = pq().PQerrorMessage(conn);
  while (!why.empty() && (why.back() == '\n' || why.back() == ' ')) why.pop_back();
  if (signOn)
    *signOn = pq().PQconnectionNeedsPassword(conn) || why.find("authentication failed") != std::string::npos ||
              (why.find("role \"") != std::string::npos && why.find("does not exist") != std::string::npos);
  pq().PQfinish(conn);
  return nullptr;
}

bool missingDatabase(const std::string& why) {
  return why.find("database \"") != std::string::npos && why.find("does not exist") != std::string::npos;
}

std::unique_ptr<PgConnection> connectOrThrow(const std::string& name, const Database::Role& role = {}) {
  std::string why;
  bool signOn = false;
  PGconn* conn = connect(name, nullptr, why, role, &signOn);
  if (conn) return std::make_unique<PgConnection>(conn);
  if (missingDatabase(why)) throw DbError("Company database " + name + " does not exist.");
  if (signOn) throw DbError("The server refused the sign-on: " + why, DbError::Kind::SignOn);
  throw DbError("Cannot reach the company database server for " + name + ": " + why,
                DbError::Kind::Lost);
}

void onMaintenanceDatabase(const std::string& name, const std::string& sql) {
  std::string why;
  PGconn* conn = connect(name, "postgres", why);
  if (!conn) throw DbError("Cannot reach the company database server for " + name + ": " + why);
  PGresult* r = pq().PQexec(conn, sql.c_str());
  const bool ok = pq().PQresultStatus(r) == PGRES_COMMAND_OK;
  const DbError failure = ok ? DbError("") : error(r, conn, "");
  pq().PQclear(r);
  pq().PQfinish(conn);
  if (!ok) throw failure;
}

std::unique_ptr<PgConnection> session(std::unique_ptr<PgConnection> conn) {
  conn->exec("SET lock_timeout = '30s'; SET client_min_messages = warning");
  return conn;
}

}  // namespace

std::string quotedName(const std::string& name) {
  std::string out = "\"";
  for (const char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string companyRole(const std::string& database, const std::string& purpose) {
  return ("corvena_" + database).substr(0, 54) + "_" + purpose;
}

bool isServerName(const std::string& name) {
  return name.rfind("postgresql://", 0) == 0 || name.rfind("postgres://", 0) == 0;
}

bool namesPassword(const std::string& name) {
  PQconninfoOption* options = pq().PQconninfoParse(name.c_str(), nullptr);
  bool password = false;
  for (auto* o = options; o && o->keyword; ++o)
    if (std::strcmp(o->keyword, "password") == 0 && o->val) password = true;
  pq().PQconninfoFree(options);
  return password;
}

Opened open(const std::string& name, Database::Access access, const Database::Role& role) {
  auto conn = session(connectOrThrow(name, role));
  const bool company =
      conn->hasTable("corvena_meta") &&
      [&] {
        auto st = conn->prepare("SELECT value FROM corvena_meta WHERE key = 'format'");
        return st->step() && st->text(0) == kMarker;
      }();
  if (!company) throw DbError(name + " is not a company database.");
  const bool viewOnly = access == Database::Access::View;
  if (viewOnly) conn->exec("SET default_transaction_read_only = on");
  return Opened{std::move(conn), viewOnly};
}

// A new company database is made with byte order for text, as SQLite sorts it.
std::unique_ptr<Connection> create(const std::string& name) {
  std::string why;
  if (PGconn* existing = connect(name, nullptr, why)) {
    pq().PQfinish(existing);
    throw DbError(name + " already exists.");
  }
  if (!missingDatabase(why))
    throw DbError("Cannot reach the company database server for " + name + ": " + why);
  onMaintenanceDatabase(name, "CREATE DATABASE " + quotedName(databaseOf(name)) +
                                  " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'");
  return session(connectOrThrow(name));
}

void drop(const std::string& name) {
  dropDatabase(name);
  for (const char* purpose : {"owner", "release"})
    onMaintenanceDatabase(name, "DROP ROLE IF EXISTS " + quotedName(companyRole(databaseOf(name), purpose)));
}

std::string databaseOf(const std::string& name) {
  PQconninfoOption* options = pq().PQconninfoParse(name.c_str(), nullptr);
  std::string db;
  for (auto* o = options; o && o->keyword; ++o)
    if (std::strcmp(o->keyword, "dbname") == 0 && o->val) db = o->val;
  pq().PQconninfoFree(options);
  if (db.empty()) throw DbError(name + " names no database on the server.");
  return db;
}

bool exists(const std::string& name) {
  std::string why;
  if (PGconn* conn = connect(name, nullptr, why)) {
    pq().PQfinish(conn);
    return true;
  }
  if (missingDatabase(why)) return false;
  throw DbError("Cannot reach the company database server for " + name + ": " + why,
                DbError::Kind::Lost);
}

// Every setting of the name as a parameter of the URI, so it stays a server name.
std::string onDatabase(const std::string& name, const std::string& database) {
  PQconninfoOption* options = pq().PQconninfoParse(name.c_str(), nullptr);
  if (!options) throw DbError(name + " is no connection string.");
  std::string out = "postgresql:///" + uriEscaped(database);
  char separator = '?';
  for (auto* o = options; o->keyword; ++o)
    if (o->val && std::strcmp(o->keyword, "dbname") != 0) {
      out += separator + std::string(o->keyword) + "=" + uriEscaped(o->val);
      separator = '&';
    }
  pq().PQconninfoFree(options);
  return out;
}

void dropDatabase(const std::string& name) {
  onMaintenanceDatabase(name, "DROP DATABASE IF EXISTS " + quotedName(databaseOf(name)) +
                                  " WITH (FORCE)");
}

void renameDatabase(const std::string& name, const std::string& to) {
  onMaintenanceDatabase(name, "ALTER DATABASE " + quotedName(databaseOf(name)) + " RENAME TO " +
                                  quotedName(to));
}

}  // namespace corvena::db::pg
