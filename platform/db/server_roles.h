#pragma once
// A server database's users as the server's own roles: each user signs on as a
// role of its own, whose password the server keeps and checks, and holds only
// the table rights its screens need. The company's tables belong to a role of
// their own through which every right is granted, so a right taken back is gone
// whichever administrator gave it.

#include <map>
#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::db {

namespace pg {
class PgConnection;
}

class ServerRoles {
 public:
  // Throws DbError for a file, which has no roles.
  explicit ServerRoles(Database& db);

  // The role this connection signed on as.
  std::string signedOnAs();
  // Makes the user's role when there is none, sets the password when one is given.
  void keepUser(const std::string& user, const std::string* password);
  // An administrator's role may make roles and holds every table right; one
  // stepping down keeps making roles only while administering another company.
  void setAdministrator(const std::string& user, bool administrator);
  // The user keeps no right on the company's tables; the role itself stays, as
  // other companies on the server may know it.
  void forget(const std::string& user);
  // Exactly these rights on the company's tables (named as tables() names them),
  // by letters S I U D, and none other; AR rows already released only with
  // `releasedRows`.
  void setTableRights(const std::string& user, const std::map<std::string, std::string>& rights,
                      bool releasedRows);
  // The company's tables and views.
  std::vector<std::string> tables();
  // The roles that are members of the company's own roles, but the one signed on.
  std::vector<std::string> members();

 private:
  std::string roleName(const std::string& purpose);
  std::string companyRole(const std::string& purpose);
  std::string ownerRole();
  void handOver(const std::string& owner);
  void stepDown(const std::string& user);
  bool roleExists(const std::string& role, bool* superuser = nullptr);
  void roleStatement(const std::string& sql);
  void alone(const std::string& sql);
  Database& db_;
  pg::PgConnection& conn_;
  std::string owner_;  // made and handed the tables once per use
};

}  // namespace corvena::db
