#pragma once
// The company's users, groups and rights on screens, kept in its database.
// A company with no user on file signs anyone on with every right, as companies
// did before they had users; the first user added ends that.

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/server_roles.h"
#include "platform/forms/screen_rights.h"

namespace corvena::signon {

using Clock = std::chrono::system_clock::time_point;

// Said for any refused password, whichever half was wrong.
inline constexpr std::string_view kWrongSignOn = "The user ID or password is not right.";
// Failed sign-ons in a row before the user is held off, and the longest hold.
inline constexpr int kFreeFailures = 3;
inline constexpr std::chrono::seconds kLongestHold{900};

struct UserEntry {
  std::string id;
  std::string name;
  bool administrator = false;
};

struct ScreenGrant {
  std::string grantee;
  std::string screen;  // its key, or "*"
  std::string letters;
};

class UserDirectory {
 public:
  explicit UserDirectory(db::Database& db) : db_(db) {}

  bool enforced();
  // Counts a failure (holding the user off after repeated ones) or clears them.
  bool checkPassword(const std::string& user, std::string_view password, Clock now);
  // A ticket the screens this sign-on starts present instead of the password;
  // it signs on only the Unix user (uid) it was issued to.
  std::string issueTicket(const std::string& user, Clock now, unsigned unixUser);
  bool checkTicket(const std::string& user, std::string_view ticket, Clock now, unsigned unixUser);
  // What the user's own and groups' rights on the screen and on every screen give.
  forms::ScreenRights rightsOn(const std::string& user, const std::string& screen);
  bool isAdministrator(const std::string& user);
  bool hasUser(const std::string& user);

  void addUser(const std::string& user, const std::string& name, std::string_view password,
               bool administrator);
  // A new password, a right taken away (revoked, lessened, a group left, an
  // administrator stepping down) and a removal end the user's tickets.
  void setPassword(const std::string& user, std::string_view password);
  void addToGroup(const std::string& group, const std::string& user);
  void grant(const std::string& grantee, const std::string& screen, const std::string& letters);
  void revoke(const std::string& grantee, const std::string& screen);

  // Keeping users and rights is an administrator's, or anyone's while the company has no user.
  bool mayAdminister(const std::string& user);
  // Whether the user is the company's one administrator, who must stay one.
  bool isLastAdministrator(const std::string& user);
  // A group is named by a membership or a grant, and is not a user.
  bool isGroup(const std::string& id);
  std::vector<UserEntry> listUsers();
  std::vector<std::string> groupsOf(const std::string& user);
  std::vector<std::string> membersOf(const std::string& group);
  // The grantee's grants by screen; every grant, by grantee, for a blank grantee.
  std::vector<ScreenGrant> grants(const std::string& grantee = "");
  void changeUser(const std::string& user, const std::string& name, bool administrator);
  // The user with its grants, memberships and tickets.
  void removeUser(const std::string& user);
  void removeFromGroup(const std::string& group, const std::string& user);
  // The group's memberships and grants.
  void removeGroup(const std::string& group);
  // The group's memberships and grants go to the new ID; its members' rights stay.
  void renameGroup(const std::string& group, const std::string& newId);
  // On a server database, after a restore: each user's role holds what its
  // rights give, and roles in the company's own roles that are none of its users
  // (but the one signed on) leave them. Nothing on a file.
  void followServerRoles();

 private:
  db::Statement query(const std::string& sql, std::vector<db::Value> params);
  // A text column of the current row; blank for any other value.
  static std::string textAt(const db::Statement& st, int column);
  static std::vector<std::string> firstColumn(db::Statement st);
  void write(const std::string& sql, std::vector<db::Value> params);
  static std::string holdAfter(int failures, Clock now);
  // The tickets of the user, or of the group's members.
  void endTickets(const std::string& grantee);
  void writeFailures(const std::string& user, int failures, const std::string& until);
  // Every change to users, groups or rights ends here with the user or group it
  // touched: on a server database the roles' own table rights follow the screens'.
  void afterChange(const std::string& grantee);
  // On a server database the user's own role keeps the password: true there.
  bool keepServerRole(const std::string& user, std::string_view password);
  void followScreenRights(db::ServerRoles& roles, const std::string& user);
  std::map<std::string, std::string> serverTableRights(db::ServerRoles& roles, const std::string& user);
  db::Database& db_;
};

// Screens are known by their five-digit number: QM18300 and 18300 are one
// screen, 0801000 is 08010; "*" is every screen.
std::string screenKey(std::string_view program);

// UTC as stored: YYYY-MM-DDTHH:MM:SS, so stored times compare as text.
std::string storedTime(Clock time);

}  // namespace corvena::signon
