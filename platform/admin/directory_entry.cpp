#include "platform/admin/directory_entry.h"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/signon/sign_on_context.h"

namespace corvena::admin {

namespace {

using Refusal = std::optional<std::string>;
using signon::UserDirectory;

Refusal listedTwice(const std::vector<std::string>& values, const std::string& what) {
  std::set<std::string> seen;
  for (const auto& v : values)
    if (!seen.insert(v).second) return what + " " + v + " is listed twice.";
  return std::nullopt;
}

std::vector<std::string> screensOf(const std::vector<signon::ScreenGrant>& rights) {
  std::vector<std::string> screens;
  for (const auto& r : rights) screens.push_back(r.screen);
  return screens;
}

bool contains(const std::vector<std::string>& values, const std::string& value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

Refusal userProblem(UserDirectory& users, const DirectoryEntry& e, bool onFile) {
  if (auto problem = signon::userNameProblem(e.id)) return "The user cannot be kept: " + *problem + ".";
  if (e.password != e.confirm)
    return "The new password and its confirmation differ: type the same password in both.";
  if (!onFile && e.password.empty())
    return "A new user needs a password: type it in New Password and again in Confirm Password.";
  if (onFile && !e.administrator && users.isLastAdministrator(e.id))
    return e.id + " is the company's last administrator and stays one: make another user an "
                  "administrator first.";
  for (const auto& g : e.memberships)
    if (g == e.id || users.hasUser(g)) return g + " is a user, not a group.";
  if (!e.renameTo.empty())
    return "Only a group is renamed: a user keeps its ID (add the user anew and remove this one).";
  return listedTwice(e.memberships, "The group");
}

Refusal renameProblem(UserDirectory& users, const DirectoryEntry& e) {
  if (e.renameTo.empty() || e.renameTo == e.id) return std::nullopt;
  if (!users.isGroup(e.id)) return "Save the new group " + e.id + " before renaming it.";
  if (users.hasUser(e.renameTo) || users.isGroup(e.renameTo))
    return e.renameTo + " is already on file: a group is renamed to an ID nobody has.";
  return std::nullopt;
}

Refusal groupProblem(UserDirectory& users, const DirectoryEntry& e) {
  if (!e.name.empty() || e.administrator || !e.password.empty() || !e.confirm.empty())
    return "A group has no name, password or administrator flag: only its members and rights are "
           "kept.";
  for (const auto& u : e.memberships)
    if (!users.hasUser(u)) return u + " is not a user on file: a group's members are users.";
  if (e.rights.empty() && e.memberships.empty() && !users.isGroup(e.id))
    return "Give the new group " + e.id +
           " a member or a right on a screen: a group is kept by its rights and its members.";
  if (auto refusal = renameProblem(users, e)) return refusal;
  return listedTwice(e.memberships, "The member");
}

// From either side: a user's groups, or a group's members.
void keepMemberships(UserDirectory& users, const DirectoryEntry& e) {
  const auto stored = e.group ? users.membersOf(e.id) : users.groupsOf(e.id);
  const auto groupAndUser = [&](const std::string& other) {
    return e.group ? std::pair{e.id, other} : std::pair{other, e.id};
  };
  for (const auto& other : stored)
    if (!contains(e.memberships, other)) {
      const auto [group, user] = groupAndUser(other);
      users.removeFromGroup(group, user);
    }
  for (const auto& other : e.memberships)
    if (!contains(stored, other)) {
      const auto [group, user] = groupAndUser(other);
      users.addToGroup(group, user);
    }
}

void keepRights(UserDirectory& users, const std::string& grantee,
                const std::vector<signon::ScreenGrant>& wanted) {
  const auto stored = users.grants(grantee);
  const auto wantedScreens = screensOf(wanted);
  for (const auto& r : stored)
    if (!contains(wantedScreens, r.screen)) users.revoke(grantee, r.screen);
  for (const auto& r : wanted) {
    const bool same = std::any_of(stored.begin(), stored.end(), [&](const auto& s) {
      return s.screen == r.screen && s.letters == r.letters;
    });
    if (!same) users.grant(grantee, r.screen, r.letters);
  }
}

// A company without users lets anyone in; its first user must be able to keep the rest.
bool keepUser(UserDirectory& users, const DirectoryEntry& e, bool onFile) {
  const bool administrator = e.administrator || !users.enforced();
  if (onFile) {
    users.changeUser(e.id, e.name, administrator);
    if (!e.password.empty()) users.setPassword(e.id, e.password);
  } else {
    users.addUser(e.id, e.name, e.password, administrator);
  }
  return administrator && !e.administrator;
}

}  // namespace

KeepOutcome keepEntry(UserDirectory& users, const DirectoryEntry& entry) {
  const bool onFile = users.hasUser(entry.id);
  Refusal refusal = entry.group ? groupProblem(users, entry) : userProblem(users, entry, onFile);
  if (!refusal) refusal = listedTwice(screensOf(entry.rights), "The screen");
  if (refusal) return {refusal};
  KeepOutcome outcome;
  if (!entry.group) outcome.madeAdministrator = keepUser(users, entry, onFile);
  keepMemberships(users, entry);
  keepRights(users, entry.id, entry.rights);
  if (!entry.renameTo.empty() && entry.renameTo != entry.id)
    users.renameGroup(entry.id, entry.renameTo);
  return outcome;
}

std::optional<std::string> removeEntry(UserDirectory& users, const DirectoryEntry& entry,
                                       const std::string& signedOn) {
  if (entry.group) {
    users.removeGroup(entry.id);
    return std::nullopt;
  }
  if (!users.hasUser(entry.id)) return std::nullopt;
  if (entry.id == signedOn)
    return "You cannot remove yourself, " + entry.id + ": another administrator can.";
  if (users.isLastAdministrator(entry.id))
    return entry.id + " is the company's last administrator and cannot be removed.";
  users.removeUser(entry.id);
  return std::nullopt;
}

}  // namespace corvena::admin
