#pragma once
// One user or group as Users and Rights holds it, kept in the company's
// directory (a group renamed with it) or removed from it, with the refusals
// that keep the company administered: never without an administrator, never
// by removing oneself.

#include <optional>
#include <string>
#include <vector>

#include "platform/signon/user_directory.h"

namespace corvena::admin {

struct DirectoryEntry {
  std::string id;
  bool group = false;
  std::string name;
  bool administrator = false;
  // Blank keeps a user's password as it is.
  std::string password, confirm;
  // A user's groups, or a group's members.
  std::vector<std::string> memberships;
  std::vector<signon::ScreenGrant> rights;  // by screen; the grantee is the entry
  // A group's new ID; blank keeps it.
  std::string renameTo;
};

struct KeepOutcome {
  std::optional<std::string> refusal;  // for the clerk; nothing was written
  // The company's first user, made an administrator so that someone keeps users.
  bool madeAdministrator = false;
};

// Both write within the caller's transaction, after every check has passed.
KeepOutcome keepEntry(signon::UserDirectory& users, const DirectoryEntry& entry);
std::optional<std::string> removeEntry(signon::UserDirectory& users, const DirectoryEntry& entry,
                                       const std::string& signedOn);

}  // namespace corvena::admin
