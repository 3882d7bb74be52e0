// On a server database the company's users are the server's own roles: the
// server keeps and checks their passwords, and each role's table rights follow
// its screen rights, so a user with a SQL client can do no more than the screens.
#include <algorithm>
#include <array>
#include <cctype>
#include <map>

#include "platform/signon/user_directory.h"

namespace corvena::signon {

namespace {

bool onServer(const db::Database& db) { return db.dialect() == db::Database::Dialect::PostgreSQL; }

std::string lower(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name;
}

bool holdsAny(const forms::ScreenRights& rights, const std::string& letters) {
  const std::string held = rights.letters();
  return held.find_first_of(letters) != std::string::npos;
}

}  // namespace

bool UserDirectory::keepServerRole(const std::string& user, std::string_view password) {
  if (!onServer(db_)) return false;
  const std::string given(password);
  db::ServerRoles(db_).keepUser(user, &given);
  return true;
}

// A group's change reaches each of its members.
void UserDirectory::afterChange(const std::string& grantee) {
  if (!onServer(db_) || grantee.empty()) return;
  std::vector<std::string> users = membersOf(grantee);
  users.push_back(grantee);
  db::ServerRoles roles(db_);
  for (const auto& user : users) followScreenRights(roles, user);
}

// Every user reads the company's tables (tickets aside); writes are what the
// screens the user holds rights on write.
std::map<std::string, std::string> UserDirectory::serverTableRights(db::ServerRoles& roles,
                                                                    const std::string& user) {
  std::map<std::string, std::string> tables;
  for (const auto& table : roles.tables())
    if (table != "secticket") tables[table] = "S";
  // A company made before screens listed their tables grants reading only.
  if (db_.columns("SecScreenTable").empty()) return tables;
  auto writes = query("SELECT ScreenNbr, TableName, Rights, Writes FROM SecScreenTable", {});
  std::vector<std::array<std::string, 4>> rows;
  while (writes.step())
    rows.push_back({textAt(writes, 0), textAt(writes, 1), textAt(writes, 2), textAt(writes, 3)});
  writes = db::Statement();
  std::map<std::string, forms::ScreenRights> held;
  for (const auto& [screen, table, rights, letters] : rows) {
    if (!held.count(screen)) held[screen] = rightsOn(user, screen);
    if (holdsAny(held[screen], rights)) tables[lower(table)] += letters;
  }
  return tables;
}

// An administrator holds every right; one who steps down (themselves, it may
// be) grants the rights before leaving the role that grants them.
void UserDirectory::followScreenRights(db::ServerRoles& roles, const std::string& user) {
  if (!hasUser(user)) return roles.forget(user);
  const bool administrator = isAdministrator(user);
  roles.keepUser(user, nullptr);
  if (administrator) roles.setAdministrator(user, true);
  const auto tables = administrator ? std::map<std::string, std::string>{}
                                    : serverTableRights(roles, user);
  // 'R': the AR rows a release made, balances among them.
  const bool releasedRows = std::any_of(tables.begin(), tables.end(), [](const auto& t) {
    return t.second.find('R') != std::string::npos;
  });
  roles.setTableRights(user, tables, releasedRows);
  if (!administrator) roles.setAdministrator(user, false);
}

void UserDirectory::followServerRoles() {
  if (!onServer(db_)) return;
  db::ServerRoles roles(db_);
  for (const auto& member : roles.members())
    if (!hasUser(member)) roles.forget(member);
  for (const auto& user : listUsers()) followScreenRights(roles, user.id);
}

}  // namespace corvena::signon
