#include "platform/db/backup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/db/backup_engines.h"
#include "platform/db/database.h"
#include "platform/db/pg_connection.h"
#include "platform/db/sqlite_connection.h"

namespace corvena::db {

namespace {

enum class Format { None, File, Server };

bool onServer(const std::string& name) {
  return Database::dialectOf(name) == Database::Dialect::PostgreSQL;
}

Format formatOf(const std::string& file) {
  if (!std::filesystem::exists(file)) throw DbError(file + " does not exist.");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw DbError("Cannot read " + file + ".");
  char head[16] = {};
  in.read(head, sizeof head);
  const std::string_view seen(head, static_cast<std::size_t>(in.gcount()));
  if (seen == std::string_view("SQLite format 3\0", 16)) return Format::File;
  if (seen.substr(0, 5) == "PGDMP") return Format::Server;
  return Format::None;
}

void checkCompanyFile(const std::string& file) {
  std::vector<std::string> problems;
  try {
    problems = Database::open(file, Database::Access::View)->integrityProblems();
  } catch (const DbError& e) {
    throw DbError(e.damaged() ? "it is damaged" : "it holds no company database");
  }
  std::string found;
  for (const auto& line : problems) found += "\n  " + line;
  if (!found.empty()) throw DbError("it is damaged:" + found, DbError::Kind::Damaged);
}

// What is wrong with the file as a backup in the given format, as "it ...";
// empty when it is a sound one.
std::string backupProblem(const std::string& file, Format format) {
  try {
    if (format == Format::None) return "it is not a company backup";
    if (format == Format::File) checkCompanyFile(file);
    if (format == Format::Server) pg::checkArchive(file);
  } catch (const DbError& e) {
    return e.what();
  }
  return "";
}

void refuseSameFile(const std::string& from, const std::string& to) {
  if (from.empty() || to.empty())
    throw DbError("A backup and a company database each need a name.");
  std::error_code ec;
  if (std::filesystem::equivalent(from, to, ec))
    throw DbError(from + " and " + to + " are the same file.");
}

void syncPath(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  const int rc = ::fsync(fd);
  ::close(fd);
  if (rc != 0) throw DbError("Cannot write " + path + " to disk: " + std::strerror(errno) + ".");
}

// A file beside `target` that only this run writes. It takes the target's name
// only on place(), and is removed otherwise.
class PartialFile {
 public:
  PartialFile(std::string target, mode_t mode)
      : target_(std::move(target)), path_(target_ + ".partial-" + std::to_string(::getpid())) {
    const int fd =
        ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) throw DbError("Cannot write " + target_ + ": " + std::strerror(errno) + ".");
    ::close(fd);
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;
  ~PartialFile() {
    if (!placed_) sqlite::removeFiles(path_);
  }
  const std::string& path() const { return path_; }
  // On disk first, then under the target's name in one step; over an existing
  // target only when `replace`.
  void place(bool replace) {
    syncPath(path_);
    if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target_.c_str(),
                    replace ? 0 : RENAME_NOREPLACE) != 0)
      throw DbError("Cannot write " + target_ + ": " + std::strerror(errno) + ".");
    placed_ = true;
    const auto parent = std::filesystem::path(target_).parent_path();
    syncPath(parent.empty() ? "." : parent.string());
  }

 private:
  std::string target_, path_;
  bool placed_ = false;
};

// A backup's sign-on tickets were issued before it was taken.
void startSignedOff(const std::string& staged) {
  auto db = Database::open(staged);
  if (!db->columns("SecTicket").empty()) db->exec("DELETE FROM SecTicket");
}

// A company replaced in place is one a restore is for: sound or damaged, never another file.
void requireCompany(const std::string& database) {
  try {
    Database::open(database, Database::Access::View);
  } catch (const DbError& e) {
    if (!e.damaged()) throw DbError(database + " cannot be replaced by a restore: " + e.what());
  }
}

// A company already there takes the staged copy in a transaction of its own,
// which clerks wait for; its file, rights and journal stay as they are.
void restoreFile(const std::string& file, const std::string& database, bool existing) {
  PartialFile staged(database, 0666);
  sqlite::copyCompany(file, staged.path(), "WAL");
  startSignedOff(staged.path());
  if (existing)
    sqlite::copyCompany(staged.path(), database, "WAL");
  else
    staged.place(false);
}

void restoreOnServer(const std::string& file, const std::string& database, bool existing) {
  const std::string staged = pg::stage(file, database);
  try {
    startSignedOff(staged);
    if (existing) pg::dropDatabase(database);
  } catch (...) {
    pg::dropDatabase(staged);
    throw;
  }
  try {
    pg::renameDatabase(staged, pg::databaseOf(database));
  } catch (const DbError& e) {
    throw DbError("The backup was restored into " + pg::databaseOf(staged) +
                  ", which could not be named " + pg::databaseOf(database) + ": " + e.what());
  }
}

}  // namespace

bool companyExists(const std::string& name) {
  if (onServer(name)) return pg::exists(name);
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(name, ec));
}

void backupCompany(const std::string& database, const std::string& file, bool replace) {
  refuseSameFile(database, file);
  if (!replace && companyExists(file)) throw DbError(file + " already exists.");
  Database::open(database, Database::Access::View);
  PartialFile copy(file, 0600);
  const bool server = onServer(database);
  if (server)
    pg::dump(database, copy.path());
  else
    sqlite::copyCompany(database, copy.path(), "DELETE");
  const std::string problem = backupProblem(copy.path(), server ? Format::Server : Format::File);
  if (!problem.empty())
    throw DbError("The backup of " + database +
                  " failed its check, so none was written: " + problem + ".");
  copy.place(replace);
}

void restoreCompany(const std::string& file, const std::string& database, bool replace) {
  refuseSameFile(file, database);
  const bool server = onServer(database);
  const Format format = formatOf(file);
  if (format == (server ? Format::File : Format::Server))
    throw DbError(file + (server ? " is the backup of a company file; restore it to a file."
                                 : " is the backup of a company on a server; restore it to a "
                                   "postgresql:// database."));
  if (const std::string problem = backupProblem(file, format); !problem.empty())
    throw DbError(file + " cannot be restored: " + problem + ".");
  const bool existing = companyExists(database);
  if (existing && !replace) throw DbError(database + " already exists.");
  if (existing) requireCompany(database);
  if (server)
    restoreOnServer(file, database, existing);
  else
    restoreFile(file, database, existing);
}

}  // namespace corvena::db
