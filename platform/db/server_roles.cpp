#include "platform/db/server_roles.h"

#include <sstream>

#include "platform/db/pg_engine.h"

namespace corvena::db {

namespace {


pg::PgConnection& serverConnection(Connection& conn) {
  auto* server = dynamic_cast<pg::PgConnection*>(&conn);
  if (!server) throw DbError("A company database file has no server roles.");
  return *server;
}

std::string privileges(const std::string& letters) {
  std::string words;
  for (const auto& [letter, word] : {std::pair{'S', "SELECT"}, {'I', "INSERT"}, {'U', "UPDATE"},
                                     {'D', "DELETE"}})
    if (letters.find(letter) != std::string::npos) words += (words.empty() ? "" : ", ") + std::string(word);
  return words;
}

// "table" or "table(column,column)": a grant on the whole table, or on those columns.
std::string grantTarget(const std::string& privileges, const std::string& target) {
  const auto open = target.find('(');
  if (open == std::string::npos || target.back() != ')') return privileges + " ON " + pg::quotedName(target);
  std::string columns;
  std::stringstream list(target.substr(open + 1, target.size() - open - 2));
  for (std::string column; std::getline(list, column, ',');)
    columns += (columns.empty() ? "" : ", ") + pg::quotedName(column);
  return privileges + " (" + columns + ") ON " + pg::quotedName(target.substr(0, open));
}

}  // namespace

ServerRoles::ServerRoles(Database& db) : db_(db), conn_(serverConnection(*db.conn_)) {}

std::string ServerRoles::signedOnAs() {
  auto st = db_.run("SELECT CAST(session_user AS TEXT)");
  st.step();
  return std::get<std::string>(st.column(0));
}

bool ServerRoles::roleExists(const std::string& role, bool* superuser) {
  auto st = db_.run(Call{"", "SELECT CASE WHEN rolsuper THEN 1 ELSE 0 END FROM pg_roles WHERE rolname = ?1", {role}});
  if (!st.step()) return false;
  if (superuser) *superuser = std::get<std::int64_t>(st.column(0)) != 0;
  return true;
}

// Roles are the whole server's: another company's sign-on may be changing the
// same role at this moment, which the server refuses once rather than waits for.
void ServerRoles::roleStatement(const std::string& sql) {
  try {
    alone(sql);
  } catch (const DbError& e) {
    if (std::string(e.what()).find("concurrently") == std::string::npos) throw;
    alone(sql);
  }
}

// A statement that may fail without failing a save it runs within.
void ServerRoles::alone(const std::string& sql) {
  Transaction tx(db_);
  db_.exec(sql);
  tx.commit();
}

std::string ServerRoles::roleName(const std::string& purpose) {
  auto st = db_.run("SELECT CAST(current_database() AS TEXT)");
  st.step();
  return pg::companyRole(std::get<std::string>(st.column(0)), purpose);
}

// The company's own roles, made with the company by whoever installs it.
std::string ServerRoles::companyRole(const std::string& purpose) {
  const std::string role = roleName(purpose);
  if (!roleExists(role)) {
    try {
      alone("CREATE ROLE " + pg::quotedName(role) + " NOLOGIN; GRANT " + pg::quotedName(role) +
            " TO CURRENT_USER");
    } catch (const DbError&) {
      if (!roleExists(role)) throw;
    }
  }
  return role;
}

std::string ServerRoles::ownerRole() {
  if (owner_.empty()) {
    owner_ = companyRole("owner");
    handOver(owner_);
  }
  return owner_;
}

// Tables the installer made pass to the company's role, which grants from then on.
void ServerRoles::handOver(const std::string& owner) {
  auto st = db_.run(
      "SELECT CAST(c.relname AS TEXT), CAST(c.relkind AS TEXT) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace"
      " WHERE n.nspname = 'public' AND c.relkind IN ('r', 'v')"
      " AND c.relowner = (SELECT oid FROM pg_roles WHERE rolname = current_user)");
  std::vector<std::pair<std::string, std::string>> owned;
  while (st.step())
    owned.emplace_back(std::get<std::string>(st.column(0)), std::get<std::string>(st.column(1)));
  st = Statement();
  for (const auto& [name, kind] : owned)
    db_.exec(std::string(kind == "v" ? "ALTER VIEW " : "ALTER TABLE ") + pg::quotedName(name) +
             " OWNER TO " + pg::quotedName(owner));
}

void ServerRoles::keepUser(const std::string& user, const std::string* password) {
  bool superuser = false;
  if (roleExists(user, &superuser)) {
    if (superuser)
      throw DbError("The server role " + user + " is a superuser; a company user must be a role of its own.");
  } else {
    try {
      alone("CREATE ROLE " + pg::quotedName(user) + " LOGIN");
    } catch (const DbError&) {
      if (!roleExists(user)) throw;
    }
  }
  if (password)
    roleStatement("ALTER ROLE " + pg::quotedName(user) + " PASSWORD '" + conn_.passwordVerifier(user, *password) + "'");
}

void ServerRoles::setAdministrator(const std::string& user, bool administrator) {
  const std::string owner = pg::quotedName(ownerRole());
  if (administrator) {
    roleStatement("ALTER ROLE " + pg::quotedName(user) + " CREATEROLE");
    roleStatement("GRANT " + owner + " TO " + pg::quotedName(user) + " WITH ADMIN OPTION");
  } else {
    stepDown(user);
  }
}

// Making roles lets a role change any role of the server but a superuser, so it
// stays only with a role still administering one of the server's companies.
void ServerRoles::stepDown(const std::string& user) {
  roleStatement("REVOKE " + pg::quotedName(ownerRole()) + " FROM " + pg::quotedName(user));
  auto st = db_.run(Call{"",
                         "SELECT 1 FROM pg_roles m WHERE m.rolname = ?1 AND m.rolcreaterole"
                         " AND NOT EXISTS (SELECT 1 FROM pg_auth_members a"
                         " JOIN pg_roles r ON r.oid = a.roleid JOIN pg_database d"
                         " ON r.rolname = substr('corvena_' || d.datname, 1, 54) || '_owner'"
                         " WHERE a.member = m.oid)",
                         {user}});
  const bool administersNone = st.step();
  st = Statement();
  if (administersNone) roleStatement("ALTER ROLE " + pg::quotedName(user) + " NOCREATEROLE");
}

void ServerRoles::forget(const std::string& user) {
  if (!roleExists(user)) return;
  setTableRights(user, {}, false);
  stepDown(user);
}

void ServerRoles::setTableRights(const std::string& user,
                                 const std::map<std::string, std::string>& rights, bool releasedRows) {
  roleStatement((releasedRows ? "GRANT " : "REVOKE ") + pg::quotedName(companyRole("release")) +
                (releasedRows ? " TO " : " FROM ") + pg::quotedName(user));
  const std::string owner = ownerRole();
  Transaction tx(db_);
  db_.exec("SET LOCAL ROLE " + pg::quotedName(owner));
  db_.exec("REVOKE ALL ON ALL TABLES IN SCHEMA public FROM " + pg::quotedName(user));
  for (const auto& [table, letters] : rights)
    if (!privileges(letters).empty())
      db_.exec("GRANT " + grantTarget(privileges(letters), table) + " TO " + pg::quotedName(user));
  db_.exec("RESET ROLE");
  tx.commit();
}

std::vector<std::string> ServerRoles::tables() {
  auto st = db_.run(
      "SELECT CAST(c.relname AS TEXT) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace"
      " WHERE n.nspname = 'public' AND c.relkind IN ('r', 'v') ORDER BY c.relname");
  std::vector<std::string> names;
  while (st.step()) names.push_back(std::get<std::string>(st.column(0)));
  return names;
}

std::vector<std::string> ServerRoles::members() {
  auto st = db_.run(Call{"",
                         "SELECT DISTINCT CAST(m.rolname AS TEXT) FROM pg_auth_members a"
                         " JOIN pg_roles r ON r.oid = a.roleid JOIN pg_roles m ON m.oid = a.member"
                         " WHERE r.rolname IN (?1, ?2) AND m.rolname <> session_user ORDER BY 1",
                         {roleName("owner"), roleName("release")}});
  std::vector<std::string> names;
  while (st.step()) names.push_back(std::get<std::string>(st.column(0)));
  return names;
}

}  // namespace corvena::db
