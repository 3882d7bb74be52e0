#include "platform/demo/first_users.h"

#include "platform/signon/password_hash.h"
#include "platform/signon/user_directory.h"

namespace corvena::demo {

namespace {

struct Grant {
  const char* grantee;
  const char* screen;
  const char* rights;
};

// Clerks enter and look; supervisors also release and keep the national accounts.
constexpr Grant kDemoGrants[] = {
    {"CLERKS", "QM18300", "VIUD"},      {"CLERKS", "QM18900", "VIUD"},
    {"CLERKS", "0801000", "VIUD"},      {"CLERKS", "0803000", "VIUD"},
    {"CLERKS", "QM18800", "V"},         {"CLERKS", "0325000", "V"},
    {"CLERKS", "QM18100", "V"},         {"CLERKS", "QM18200", "V"},
    {"SUPERVISORS", "QM18300", "VIUDR"}, {"SUPERVISORS", "QM18900", "VIUDR"},
    {"SUPERVISORS", "0801000", "VIUDR"}, {"SUPERVISORS", "0803000", "VIUDR"},
    {"SUPERVISORS", "QM18100", "VIUD"},  {"CLERKS", "QM18700", "V"},
};

}  // namespace

std::string addAdministrator(db::Database& db, std::string password) {
  if (password.empty()) password = signon::newTicket().substr(0, 16);
  signon::UserDirectory(db).addUser(kAdministrator, "Administrator", password, true);
  return password;
}

void addDemoUsers(db::Database& db) {
  signon::UserDirectory users(db);
  db::Transaction tx(db);
  users.addUser(kAdministrator, "Administrator", "demo-admin", true);
  users.addUser("CLERK1", "Pat Clerk", "demo-clerk1", false);
  users.addUser("CLERK2", "Sam Supervisor", "demo-clerk2", false);
  users.addToGroup("CLERKS", "CLERK1");
  users.addToGroup("CLERKS", "CLERK2");
  users.addToGroup("SUPERVISORS", "CLERK2");
  for (const auto& g : kDemoGrants) users.grant(g.grantee, g.screen, g.rights);
  tx.commit();
}

}  // namespace corvena::demo
