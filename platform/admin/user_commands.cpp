#include "platform/admin/user_commands.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>

#include "platform/forms/screen_rights.h"
#include "platform/signon/sign_on_context.h"
#include "platform/signon/user_directory.h"

namespace corvena::admin {

namespace {

using Words = std::vector<std::string>;

// A new password from --new-password-file, else CORVENA_NEW_PASSWORD; never from
// the command line. --password-file and CORVENA_PASSWORD are the signer's own.
std::string newPassword(Words& args) {
  const auto at = std::find(args.begin(), args.end(), std::string("--new-password-file"));
  if (at != args.end() && at + 1 != args.end()) {
    const std::string file = *(at + 1);
    args.erase(at, at + 2);
    return signon::readPasswordFile(file);
  }
  const char* env = std::getenv("CORVENA_NEW_PASSWORD");
  if (!env || !*env)
    throw signon::SignOnError(
        "give the new password with --new-password-file PATH or CORVENA_NEW_PASSWORD");
  return env;
}

}  // namespace

std::string userCommandsHelp() {
  return "usage: corvena-db user add PATH USER [--admin]     (its password: --new-password-file F or CORVENA_NEW_PASSWORD)\n"
         "       corvena-db user passwd PATH USER\n"
         "       corvena-db user remove PATH USER\n"
         "       corvena-db user grant PATH USER|GROUP SCREEN|* LETTERS   (V view, I insert, U update, D delete, R release)\n"
         "       corvena-db user revoke PATH USER|GROUP SCREEN|*\n"
         "       corvena-db user group PATH GROUP USER\n"
         "       corvena-db user ungroup PATH GROUP USER\n"
         "       corvena-db user list PATH\n"
         "Once a company file has users, a change is made by an administrator: --user ID\n"
         "and that user's password (--password-file F or CORVENA_PASSWORD). On a server the\n"
         "server checks the role: the connection string's own, or --user ID with its password.\n";
}

namespace {

int usage() {
  std::cerr << userCommandsHelp();
  return 2;
}

void requireUser(signon::UserDirectory& users, const std::string& user) {
  if (!users.hasUser(user)) throw signon::SignOnError("there is no user " + user);
}

// The company's first user is an administrator, or nobody could keep the others.
bool add(signon::UserDirectory& users, Words& args) {
  const bool admin = std::erase(args, std::string("--admin")) > 0;
  const std::string password = newPassword(args);
  if (args.size() != 3) return false;
  if (auto problem = signon::userNameProblem(args[2])) throw signon::SignOnError(*problem);
  const bool first = !users.enforced();
  users.addUser(args[2], args[2], password, admin || first);
  if (first && !admin) std::cout << args[2] << " is the company's first user: made an administrator\n";
  return true;
}

bool passwd(signon::UserDirectory& users, Words& args) {
  const std::string password = newPassword(args);
  if (args.size() != 3) return false;
  requireUser(users, args[2]);
  users.setPassword(args[2], password);
  return true;
}

bool remove(signon::UserDirectory& users, const Words& args) {
  if (args.size() != 3) return false;
  requireUser(users, args[2]);
  if (users.isLastAdministrator(args[2]))
    throw signon::SignOnError(args[2] + " is the company's last administrator and cannot be removed");
  users.removeUser(args[2]);
  return true;
}

bool grant(signon::UserDirectory& users, const Words& args) {
  if (args.size() != 5) return false;
  if (auto problem = forms::rightsLettersProblem(args[4])) throw signon::SignOnError(*problem);
  users.grant(args[2], args[3], args[4]);
  return true;
}

void list(signon::UserDirectory& users) {
  for (const auto& u : users.listUsers()) {
    std::cout << "user " << u.id << "  " << u.name << (u.administrator ? "  administrator" : "");
    for (const auto& g : users.groupsOf(u.id)) std::cout << "  " << g;
    std::cout << "\n";
  }
  for (const auto& g : users.grants())
    std::cout << "right " << g.grantee << "  " << g.screen << "  " << g.letters << "\n";
}

bool apply(signon::UserDirectory& users, Words& args) {
  const std::string verb = args[0];
  if (verb == "add") return add(users, args);
  if (verb == "passwd") return passwd(users, args);
  if (verb == "remove") return remove(users, args);
  if (verb == "grant") return grant(users, args);
  if (args.size() != 4) return false;
  if (verb == "revoke")
    users.revoke(args[2], args[3]);
  else if (verb == "group")
    users.addToGroup(args[2], args[3]);
  else if (verb == "ungroup")
    users.removeFromGroup(args[2], args[3]);
  else
    return false;
  return true;
}

// One change in one transaction; false when the words are no command.
bool change(db::Database& db, Words& args) {
  signon::UserDirectory users(db);
  db::Transaction tx(db);
  if (!apply(users, args)) return false;
  tx.commit();
  return true;
}

std::optional<std::string> signerPassword(const signon::SignOnOptions& signOn) {
  if (signOn.passwordFile) return signon::readPasswordFile(*signOn.passwordFile);
  const char* env = std::getenv("CORVENA_PASSWORD");
  if (env && *env) return std::string(env);
  return std::nullopt;
}

std::optional<std::string> signerName(const signon::SignOnOptions& signOn) {
  if (signOn.user) return signOn.user;
  const char* env = std::getenv("CORVENA_USER");
  if (env && *env) return std::string(env);
  return std::nullopt;
}

// On a server the server checks who signs on: the connection string's own role,
// or the one --user names with its password.
std::unique_ptr<db::Database> openAsSigner(const std::string& path, const signon::SignOnOptions& signOn) {
  const auto user = signerName(signOn);
  if (db::Database::dialectOf(path) != db::Database::Dialect::PostgreSQL || !user)
    return db::Database::open(path);
  const auto password = signerPassword(signOn).value_or("");
  try {
    return db::Database::open(path, db::Database::Access::Edit, {*user, password});
  } catch (const db::DbError& e) {
    if (e.kind() == db::DbError::Kind::SignOn) throw signon::SignOnError(std::string(signon::kWrongSignOn));
    throw;
  }
}

// A company file with users is changed by an administrator who gives their
// password, checked and counted as any sign-on. Whoever may write the file could
// change it otherwise: its permissions stay the real boundary.
void requireAdministrator(db::Database& db, const signon::SignOnOptions& signOn) {
  signon::UserDirectory users(db);
  if (db.dialect() == db::Database::Dialect::PostgreSQL || !users.enforced()) return;
  const auto user = signerName(signOn);
  const auto password = signerPassword(signOn);
  if (!user || !password)
    throw signon::SignOnError("the company has users: sign on as an administrator with --user ID "
                             "and the password (--password-file PATH or CORVENA_PASSWORD)");
  if (!users.checkPassword(*user, *password, std::chrono::system_clock::now()))
    throw signon::SignOnError(std::string(signon::kWrongSignOn));
  if (!users.isAdministrator(*user))
    throw signon::SignOnError(*user + " is not an administrator: only an administrator keeps the "
                             "company's users and rights");
}

}  // namespace

int userCommand(const std::vector<std::string>& given) {
  Words args = given;
  const auto signOn = signon::takeSignOnOptions(args);
  if (args.size() < 2) return usage();
  const std::string verb = args[0], path = args[1];
  auto db = openAsSigner(path, signOn);
  if (verb == "list" && args.size() == 2) {
    signon::UserDirectory users(*db);
    list(users);
    return 0;
  }
  requireAdministrator(*db, signOn);
  if (!change(*db, args)) return usage();
  std::cout << "Done: user " << verb << " in " << path << "\n";
  return 0;
}

}  // namespace corvena::admin
