#pragma once
// The company's users, groups and rights on screens, kept in its database.
// A company with no user on file signs anyone on with every right, as companies
// did before they had users; the first user added ends that.

#include <chrono>
#include <string>
#include <string_view>

#include "platform/db/database.h"
#include "platform/db/server_roles.h"
#include "platform/forms/screen_rights.h"

namespace corvena::shell {

using Clock = std::chrono::system_clock::time_point;

// Said for any refused password, whichever half was wrong.
inline constexpr std::string_view kWrongSignOn = "The user ID or password is not right.";
// Failed sign-ons in a row before the user is held off, and the longest hold.
inline constexpr int kFreeFailures = 3;
inline constexpr std::chrono::seconds kLongestHold{900};

class UserDirectory {
 public:
  explicit UserDirectory(db::Database& db) : db_(db) {}

  bool enforced();
  // Counts a failure (holding the user off after repeated ones) or clears them.
  bool checkPassword(const std::string& user, std::string_view password, Clock now);
  // A ticket the screens this sign-on starts present instead of the password.
  std::string issueTicket(const std::string& user, Clock now);
  bool checkTicket(const std::string& user, std::string_view ticket, Clock now);
  // What the user's own and groups' rights on the screen and on every screen give.
  forms::ScreenRights rightsOn(const std::string& user, const std::string& screen);
  bool isAdministrator(const std::string& user);
  bool hasUser(const std::string& user);

  void addUser(const std::string& user, const std::string& name, std::string_view password,
               bool administrator);
  void setPassword(const std::string& user, std::string_view password);
  void addToGroup(const std::string& group, const std::string& user);
  void grant(const std::string& grantee, const std::string& screen, const std::string& letters);
  void revoke(const std::string& grantee, const std::string& screen);

 private:
  db::Statement query(const std::string& sql, std::vector<db::Value> params);
  void write(const std::string& sql, std::vector<db::Value> params);
  void countFailure(const std::string& user, int failures, Clock now);
  // Every change to users, groups or rights ends here with the user or group it
  // touched: on a server database the roles' own table rights follow the screens'.
  void afterChange(const std::string& grantee);
  // On a server database the user's own role keeps the password: true there.
  bool keepServerRole(const std::string& user, std::string_view password, bool administrator);
  void followScreenRights(db::ServerRoles& roles, const std::string& user);
  db::Database& db_;
};

// Screens are known by their five-digit number: QM18300 and 18300 are one
// screen, 0801000 is 08010; "*" is every screen.
std::string screenKey(std::string_view program);

// UTC as stored: YYYY-MM-DDTHH:MM:SS, so stored times compare as text.
std::string storedTime(Clock time);

}  // namespace corvena::shell
