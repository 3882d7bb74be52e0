// What the administrators' tools ask of the directory and change in it.
#include "platform/signon/user_directory.h"

namespace corvena::signon {

bool UserDirectory::mayAdminister(const std::string& user) {
  return !enforced() || isAdministrator(user);
}

bool UserDirectory::isLastAdministrator(const std::string& user) {
  return isAdministrator(user) &&
         !query("SELECT 1 FROM SecUser WHERE Administrator <> 0 AND UserId <> ?1", {user}).step();
}

bool UserDirectory::isGroup(const std::string& id) {
  return !hasUser(id) &&
         query("SELECT 1 FROM SecGroupMember WHERE GroupId = ?1 UNION ALL"
               " SELECT 1 FROM SecRight WHERE Grantee = ?1",
               {id})
             .step();
}

std::vector<UserEntry> UserDirectory::listUsers() {
  std::vector<UserEntry> out;
  auto st = query("SELECT UserId, UserName, Administrator FROM SecUser ORDER BY UserId", {});
  while (st.step()) {
    const db::Value admin = st.column(2);
    const auto* flag = std::get_if<std::int64_t>(&admin);
    out.push_back({textAt(st, 0), textAt(st, 1), flag && *flag != 0});
  }
  return out;
}

std::vector<std::string> UserDirectory::groupsOf(const std::string& user) {
  return firstColumn(
      query("SELECT GroupId FROM SecGroupMember WHERE UserId = ?1 ORDER BY GroupId", {user}));
}

std::vector<ScreenGrant> UserDirectory::grants(const std::string& grantee) {
  std::vector<ScreenGrant> out;
  auto st = query("SELECT Grantee, ScreenNbr, Rights FROM SecRight WHERE Grantee = ?1 OR ?1 = ''"
                  " ORDER BY Grantee, ScreenNbr",
                  {grantee});
  while (st.step()) out.push_back({textAt(st, 0), textAt(st, 1), textAt(st, 2)});
  return out;
}

void UserDirectory::changeUser(const std::string& user, const std::string& name,
                               bool administrator) {
  if (!administrator && isAdministrator(user)) endTickets(user);
  write("UPDATE SecUser SET UserName = ?2, Administrator = ?3 WHERE UserId = ?1",
        {user, name, std::int64_t{administrator}});
  afterChange(user);
}

// Memberships go with the user by the schema's cascade; grants name no user row.
void UserDirectory::removeUser(const std::string& user) {
  endTickets(user);
  write("DELETE FROM SecRight WHERE Grantee = ?1", {user});
  write("DELETE FROM SecUser WHERE UserId = ?1", {user});
  afterChange(user);
}

void UserDirectory::removeFromGroup(const std::string& group, const std::string& user) {
  endTickets(user);
  write("DELETE FROM SecGroupMember WHERE GroupId = ?1 AND UserId = ?2", {group, user});
  afterChange(user);
}

std::vector<std::string> UserDirectory::membersOf(const std::string& group) {
  return firstColumn(
      query("SELECT UserId FROM SecGroupMember WHERE GroupId = ?1 ORDER BY UserId", {group}));
}

void UserDirectory::removeGroup(const std::string& group) {
  const auto members = membersOf(group);
  endTickets(group);
  write("DELETE FROM SecGroupMember WHERE GroupId = ?1", {group});
  write("DELETE FROM SecRight WHERE Grantee = ?1", {group});
  for (const auto& user : members) afterChange(user);
  afterChange(group);
}

void UserDirectory::renameGroup(const std::string& group, const std::string& newId) {
  write("UPDATE SecGroupMember SET GroupId = ?2 WHERE GroupId = ?1", {group, newId});
  write("UPDATE SecRight SET Grantee = ?2 WHERE Grantee = ?1", {group, newId});
  afterChange(newId);
}

}  // namespace corvena::signon
