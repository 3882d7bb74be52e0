// corvena-db: creates company databases, empty or with demo data, prints one, backs
// one up and restores it.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/admin/company_backup.h"
#include "platform/admin/user_commands.h"
#include "platform/db/database.h"
#include "platform/demo/first_users.h"
#include "platform/demo/demo_data.h"
#include "platform/demo/national_accounts_report.h"
#include "platform/signon/sign_on_context.h"

namespace {

constexpr const char* kUsage =
    "usage: corvena-db init [--demo] DATABASE   create a company database\n"
    "       corvena-db show DATABASE            print its national accounts\n"
    "       corvena-db user ...                 users and rights (corvena-db user for more)\n"
    "       corvena-db backup DATABASE FILE     a checked copy, taken while clerks work\n"
    "       corvena-db restore FILE DATABASE    the company of a backup (corvena-db backup for more)\n"
    "DATABASE: a file, or postgresql://[user@]host[:port]/name for a server database\n";

int usage() {
  std::cerr << kUsage;
  return 2;
}

std::string indented(const std::string& text) {
  std::string out = "  ";
  for (const char c : text) out += c == '\n' ? std::string("\n  ") : std::string(1, c);
  return out.substr(0, out.size() - 2);
}

// The manual page is made from it.
int help() {
  std::cout << "corvena-db - makes, shows, backs up and restores company databases, and keeps "
               "their users\n\n"
               "usage: corvena-db init|show|user|backup|restore ...\n\n"
               "Commands:\n"
            << indented(kUsage) << "\nUsers:\n"
            << indented(corvena::admin::userCommandsHelp()) << "\nBackups:\n"
            << indented(corvena::admin::copyCommandsHelp());
  return 0;
}

// A new company has its administrator; the demo company its clerks too.
int init(const std::string& path, bool demo) {
  auto db = corvena::db::Database::create(path);
  std::string password;
  try {
    if (demo) {
      corvena::demo::fillDemo(*db);
      corvena::demo::addDemoUsers(*db);
    } else {
      const char* given = std::getenv("CORVENA_PASSWORD");
      password = corvena::demo::addAdministrator(*db, given ? given : "");
      if (given && *given) password.clear();
    }
  } catch (...) {
    db.reset();
    corvena::db::Database::remove(path);
    throw;
  }
  std::cout << "Created " << (demo ? "demo " : "empty ") << "company database " << path << "\n";
  if (!password.empty())
    std::cout << "Administrator " << corvena::demo::kAdministrator << ", password " << password
              << " (change it with corvena-db user passwd)\n";
  return 0;
}

// A damaged page may lie where the report never reads: the whole database is checked first.
void checkIntegrity(corvena::db::Database& db) {
  std::string problems;
  for (const auto& line : db.integrityProblems()) problems += "\n  " + line;
  if (!problems.empty())
    throw corvena::db::DbError("The company database " + db.path() +
                               " is damaged; restore it from a backup:" + problems);
}

int show(const std::string& path) {
  auto db = corvena::db::Database::open(path, corvena::db::Database::Access::View);
  checkIntegrity(*db);
  corvena::demo::printNationalAccounts(*db, std::cout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    for (const auto& arg : args) corvena::signon::refusePasswordIn(arg);
    if (args.size() == 1 && args[0] == "--help") return help();
    if (args.size() == 2 && args[0] == "init" && args[1].rfind('-', 0) != 0)
      return init(args[1], false);
    if (args.size() == 3 && args[0] == "init" && args[1] == "--demo") return init(args[2], true);
    if (args.size() == 2 && args[0] == "show") return show(args[1]);
    if (!args.empty() && args[0] == "user")
      return corvena::admin::userCommand({args.begin() + 1, args.end()});
    if (!args.empty() && (args[0] == "backup" || args[0] == "restore"))
      return corvena::admin::copyCommand(args);
  } catch (const std::exception& e) {
    std::cerr << "corvena-db: " << e.what() << "\n";
    return 1;
  } catch (...) {
    std::cerr << "corvena-db: an unexpected fault ended the command; nothing more was done.\n";
    return 1;
  }
  return usage();
}
