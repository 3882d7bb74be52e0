// A company file copied with SQLite's online backup. The copy is one read of
// the source: clerks saving meanwhile are not held up (the file is in WAL
// mode), and the copy holds exactly the saves committed when it began.

#include "platform/db/backup_engines.h"
#include "platform/db/sqlite_engine.h"

namespace corvena::db::sqlite {

namespace {

class Handle {
 public:
  explicit Handle(sqlite3* opened) : db(opened) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { sqlite3_close_v2(db); }
  sqlite3* db;
};

}  // namespace

void copyCompany(const std::string& from, const std::string& to, const char* journalMode) {
  Handle source{openForReading(from, writable(from))};
  Handle target{openHandle(fileUri(to, ""), to, SQLITE_OPEN_READWRITE)};
  sqlite3_backup* copy = sqlite3_backup_init(target.db, "main", source.db, "main");
  if (!copy) throw error(sqlite3_extended_errcode(target.db), sqlite3_errmsg(target.db));
  const int stepped = sqlite3_backup_step(copy, -1);
  const int finished = sqlite3_backup_finish(copy);
  if (stepped != SQLITE_DONE) throw error(stepped, sqlite3_errstr(stepped));
  if (finished != SQLITE_OK) throw error(finished, sqlite3_errmsg(target.db));
  const std::string mode = std::string("PRAGMA journal_mode=") + journalMode;
  char* message = nullptr;
  const int rc = sqlite3_exec(target.db, mode.c_str(), nullptr, nullptr, &message);
  const std::string why = message ? message : "";
  sqlite3_free(message);
  if (rc != SQLITE_OK) throw error(rc, why);
}

}  // namespace corvena::db::sqlite
