#include "platform/admin/company_backup.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "platform/db/backup.h"
#include "platform/signon/user_directory.h"

namespace corvena::admin {

namespace {

struct Copy {
  std::string verb, from, to;
  bool force = false;
};

}  // namespace

std::string copyCommandsHelp() {
  return "usage: corvena-db backup DATABASE FILE [--force]    a checked copy, while clerks work\n"
         "       corvena-db restore FILE DATABASE [--force]   the company of a backup, made or "
         "replaced\n"
         "Neither replaces an existing FILE or DATABASE without --force.\n";
}

namespace {

int usage() {
  std::cerr << copyCommandsHelp();
  return 2;
}

std::optional<Copy> parse(std::vector<std::string> args) {
  Copy copy;
  copy.force = std::erase(args, std::string("--force")) > 0;
  if (args.size() != 3) return std::nullopt;
  if (std::any_of(args.begin() + 1, args.end(),
                  [](const std::string& a) { return a.rfind('-', 0) == 0; }))
    return std::nullopt;
  copy.verb = args[0];
  copy.from = args[1];
  copy.to = args[2];
  return copy;
}

// Said before anything is read, so an administrator learns at once what --force is for.
bool refusedAsExisting(const Copy& copy) {
  if (copy.force || !db::companyExists(copy.to)) return false;
  std::cerr << "corvena-db: " << copy.to << " already exists; give --force to replace it with "
            << (copy.verb == "backup" ? "a new backup" : "the backup's company")
            << ". Nothing was changed.\n";
  return true;
}

int backup(const Copy& copy) {
  db::backupCompany(copy.from, copy.to, copy.force);
  std::cout << "Backed up " << copy.from << " to " << copy.to << " (checked)\n";
  return 0;
}

// On a server the restored company's tables grant nothing until its users' roles follow it.
int restore(const Copy& copy) {
  db::restoreCompany(copy.from, copy.to, copy.force);
  auto db = db::Database::open(copy.to);
  signon::UserDirectory(*db).followServerRoles();
  std::cout << "Restored " << copy.to << " from " << copy.from << "\n";
  return 0;
}

}  // namespace

int copyCommand(const std::vector<std::string>& args) {
  const auto copy = parse(args);
  if (!copy) return usage();
  if (refusedAsExisting(*copy)) return 1;
  return copy->verb == "backup" ? backup(*copy) : restore(*copy);
}

}  // namespace corvena::admin
