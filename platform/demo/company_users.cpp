#include "platform/demo/company_users.h"

#include <cstdlib>
#include <iostream>

#include "platform/shell/password_hash.h"
#include "platform/shell/sign_on_context.h"
#include "platform/shell/user_directory.h"

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
    {"SUPERVISORS", "QM18100", "VIUD"},
};

// A password from --password-file, else CORVENA_PASSWORD; never from the command line.
std::string givenPassword(std::vector<std::string>& args) {
  const auto options = shell::takeSignOnOptions(args);
  if (options.passwordFile) return shell::readPasswordFile(*options.passwordFile);
  const char* env = std::getenv("CORVENA_PASSWORD");
  if (!env || !*env)
    throw shell::SignOnError("give the password with --password-file PATH or CORVENA_PASSWORD");
  return env;
}

int usage() {
  std::cerr << "usage: corvena-db user add PATH USER [--admin]     (password: --password-file F or CORVENA_PASSWORD)\n"
               "       corvena-db user passwd PATH USER\n"
               "       corvena-db user grant PATH USER|GROUP SCREEN|* LETTERS   (V view, I insert, U update, D delete, R release)\n"
               "       corvena-db user revoke PATH USER|GROUP SCREEN|*\n"
               "       corvena-db user group PATH GROUP USER\n";
  return 2;
}

}  // namespace

std::string addAdministrator(db::Database& db, std::string password) {
  if (password.empty()) password = shell::newTicket().substr(0, 16);
  shell::UserDirectory(db).addUser(kAdministrator, "Administrator", password, true);
  return password;
}

void addDemoUsers(db::Database& db) {
  shell::UserDirectory users(db);
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

int userCommand(const std::vector<std::string>& given) {
  std::vector<std::string> args = given;
  if (args.size() < 3) return usage();
  const std::string verb = args[0], path = args[1];
  auto db = db::Database::open(path);
  shell::UserDirectory users(*db);
  if (verb == "add" && (args.size() == 3 || args.size() == 4 || args.size() == 5)) {
    const bool admin = std::erase(args, std::string("--admin")) > 0;
    const std::string password = givenPassword(args);
    if (args.size() != 3) return usage();
    users.addUser(args[2], args[2], password, admin);
  } else if (verb == "passwd") {
    const std::string password = givenPassword(args);
    if (args.size() != 3) return usage();
    if (!users.hasUser(args[2])) throw shell::SignOnError("no user " + args[2] + " in " + path);
    users.setPassword(args[2], password);
  } else if (verb == "grant" && args.size() == 5) {
    users.grant(args[2], args[3], args[4]);
  } else if (verb == "revoke" && args.size() == 4) {
    users.revoke(args[2], args[3]);
  } else if (verb == "group" && args.size() == 4) {
    users.addToGroup(args[2], args[3]);
  } else {
    return usage();
  }
  std::cout << "Done: user " << verb << " in " << path << "\n";
  return 0;
}

}  // namespace corvena::demo
