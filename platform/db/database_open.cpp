// Opening and creating company databases. Opening only reads: a database
// another clerk is saving to, or one this process may not write, still opens.

#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "platform/db/database.h"

namespace corvena::db {

namespace {

constexpr const char* kMarker = "corvena-company";
constexpr int kLockWaitMs = 30000;

sqlite3* openHandle(const std::string& name, const std::string& path, int flags) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_URI, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw DbError("Cannot open company database " + path + ": " + sqliteError(rc, msg).what(), rc);
  }
  sqlite3_busy_timeout(db, kLockWaitMs);
  sqlite3_extended_result_codes(db, 1);
  return db;
}

std::string parentOf(const std::string& path) {
  const auto parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

bool writable(const std::string& path) {
  return ::access(path.c_str(), W_OK) == 0 && ::access(parentOf(path).c_str(), W_OK) == 0;
}

// The file as an SQLite URI; characters URIs reserve are escaped.
std::string fileUri(const std::string& path, const char* query) {
  std::string uri = "file:";
  for (const char c : std::filesystem::absolute(path).string()) {
    if (c == '?' || c == '#' || c == '%') {
      static const char hex[] = "0123456789ABCDEF";
      uri += {'%', hex[(c >> 4) & 0xF], hex[c & 0xF]};
    } else {
      uri += c;
    }
  }
  return uri + query;
}

// A reader must leave no -wal or -shm behind. A read-write connection removes
// them when it is the last to close; a read-only one cannot, so where no other
// connection has made them it reads the file as it stands, making none.
sqlite3* openForReading(const std::string& path, bool canWrite) {
  if (canWrite) return openHandle(fileUri(path, ""), path, SQLITE_OPEN_READWRITE);
  const bool shared = std::filesystem::exists(path + "-wal");
  return openHandle(fileUri(path, shared ? "?mode=ro" : "?mode=ro&immutable=1"), path,
                    SQLITE_OPEN_READONLY);
}

// A file that is no database, or one without the marker, is not a company database;
// one that cannot be read says why.
void checkCompanyDatabase(sqlite3* db, const std::string& path) {
  sqlite3_stmt* st = nullptr;
  int rc = sqlite3_prepare_v2(db, "SELECT value FROM corvena_meta WHERE key = 'format'", -1, &st,
                              nullptr);
  bool marked = false;
  if (rc == SQLITE_OK) {
    rc = sqlite3_step(st);
    marked = rc == SQLITE_ROW &&
             std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == kMarker;
  }
  const std::string msg = sqlite3_errmsg(db);
  sqlite3_finalize(st);
  if (marked) return;
  if (rc == SQLITE_NOTADB || rc == SQLITE_ROW || rc == SQLITE_DONE ||
      msg.rfind("no such table", 0) == 0)
    throw DbError(path + " is not a company database.");
  throw DbError("Cannot open company database " + path + ": " + sqliteError(rc, msg).what(), rc);
}

}  // namespace

std::unique_ptr<Database> Database::open(const std::string& path, Access access) {
  if (!std::filesystem::is_regular_file(path))
    throw DbError("Company database " + path + " does not exist.");
  const bool canWrite = writable(path);
  sqlite3* h = openForReading(path, canWrite);
  try {
    checkCompanyDatabase(h, path);
  } catch (...) {
    sqlite3_close(h);
    throw;
  }
  const bool viewOnly = !canWrite || access == Access::View;
  std::unique_ptr<Database> db(new Database(h, path, viewOnly));
  db->exec(viewOnly ? "PRAGMA query_only=ON; PRAGMA foreign_keys=ON;"
                    : "PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
  db->loadProcedures(schemaDirectories());
  return db;
}

std::unique_ptr<Database> Database::create(const std::string& path) {
  if (path.empty()) throw DbError("A company database needs a file name.");
  if (std::filesystem::exists(path)) throw DbError(path + " already exists.");
  sqlite3* h = openHandle(fileUri(path, ""), path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  std::unique_ptr<Database> db(new Database(h, path, false));
  try {
    db->exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    Transaction tx(*db);
    db->exec(
        "CREATE TABLE corvena_meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);"
        "INSERT INTO corvena_meta VALUES ('format', 'corvena-company');");
    for (const auto& dir : schemaDirectories()) {
      const auto file = std::filesystem::path(dir) / "schema.sql";
      if (std::filesystem::exists(file)) db->exec(readSqlFile(file.string()));
    }
    tx.commit();
    db->loadProcedures(schemaDirectories());
  } catch (...) {
    db.reset();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
      std::filesystem::remove(path + suffix);
    throw;
  }
  return db;
}

void Database::setLockWait(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

}  // namespace corvena::db
