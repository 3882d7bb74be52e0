// Opening and creating company database files. Opening only reads: a database
// another clerk is saving to, or one this process may not write, still opens.

#include "platform/db/sqlite_connection.h"

#include <unistd.h>

#include <filesystem>

#include "platform/db/sqlite_engine.h"

namespace corvena::db::sqlite {

namespace {

constexpr const char* kMarker = "corvena-company";
constexpr int kLockWaitMs = 30000;

class SqliteConnection final : public Connection {
 public:
  explicit SqliteConnection(sqlite3* db) : db_(db) {}
  ~SqliteConnection() override { sqlite3_close_v2(db_); }

  void exec(std::string_view script) override {
    char* err = nullptr;
    countStatement();
    const int rc = sqlite3_exec(db_, std::string(script).c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
      std::string msg = err ? err : sqlite3_errmsg(db_);
      sqlite3_free(err);
      throw error(rc, msg);
    }
  }
  std::unique_ptr<Cursor> prepare(const std::string& sql) override { return prepareCursor(db_, sql, *this); }
  void beginSave() override { exec("BEGIN IMMEDIATE"); }
  void abandon() override {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  std::int64_t changes() const override { return sqlite3_changes64(db_); }

  std::vector<std::string> columns(std::string_view table) override {
    return textColumn("SELECT name FROM pragma_table_info(?1)", table);
  }
  std::vector<std::string> primaryKey(std::string_view table) override {
    return textColumn("SELECT name FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY pk", table);
  }
  bool hasTable(std::string_view name) override {
    return !textColumn("SELECT name FROM sqlite_master WHERE name = ?1", name).empty();
  }
  void setLockWait(int milliseconds) override { sqlite3_busy_timeout(db_, milliseconds); }
  std::vector<std::string> integrityProblems() override {
    auto lines = textColumn("PRAGMA integrity_check", "");
    if (lines.size() == 1 && lines[0] == "ok") lines.clear();
    return lines;
  }
  Database::Dialect dialect() const override { return Database::Dialect::SQLite; }

 private:
  std::vector<std::string> textColumn(const std::string& sql, std::string_view param) {
    auto st = prepareCursor(db_, sql, *this);
    if (st->parameterCount() > 0) st->bind(1, std::string(param));
    std::vector<std::string> out;
    while (st->step()) out.emplace_back(st->text(0));
    return out;
  }
  sqlite3* db_;
};

std::string parentOf(const std::string& path) {
  const auto parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
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
  throw DbError("Cannot open company database " + path + ": " + error(rc, msg).what(),
                error(rc, msg).kind());
}

unsigned char folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// `text LIKE pattern`, as both engines read it: a '%' that ends the pattern is
// its one wildcard; '_', '\' and any other '%' stand for themselves, so a value
// typed into a look-up is matched as typed. ASCII case is ignored, as before.
void patternMatch(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const auto* pattern = sqlite3_value_text(argv[0]);
  const auto* text = sqlite3_value_text(argv[1]);
  if (!pattern || !text) return sqlite3_result_null(ctx);
  std::size_t length = static_cast<std::size_t>(sqlite3_value_bytes(argv[0]));
  const std::size_t textLength = static_cast<std::size_t>(sqlite3_value_bytes(argv[1]));
  const bool prefix = length > 0 && pattern[length - 1] == '%';
  if (prefix) --length;
  bool matches = prefix ? textLength >= length : textLength == length;
  for (std::size_t i = 0; matches && i < length; ++i) matches = folded(pattern[i]) == folded(text[i]);
  sqlite3_result_int(ctx, matches ? 1 : 0);
}

}  // namespace

sqlite3* openHandle(const std::string& name, const std::string& path, int flags) {
  // A connection is used by one thread at a time and nothing reads the library's
  // memory figures: no lock around every call and every allocation. Set before
  // the library starts, so once, before the first connection.
  static const int unmetered = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)unmetered;
  sqlite3* db = nullptr;
  const int rc =
      sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    std::string msg = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    throw DbError("Cannot open company database " + path + ": " + error(rc, msg).what(),
                  error(rc, msg).kind());
  }
  sqlite3_busy_timeout(db, kLockWaitMs);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_create_function(db, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, patternMatch,
                          nullptr, nullptr);
  return db;
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

bool writable(const std::string& path) {
  return ::access(path.c_str(), W_OK) == 0 && ::access(parentOf(path).c_str(), W_OK) == 0;
}

Opened open(const std::string& path, Database::Access access) {
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
  Opened out{std::make_unique<SqliteConnection>(h), !canWrite || access == Database::Access::View};
  out.connection->exec(out.viewOnly ? "PRAGMA query_only=ON; PRAGMA foreign_keys=ON;"
                                    : "PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
  return out;
}

std::unique_ptr<Connection> create(const std::string& path) {
  if (path.empty()) throw DbError("A company database needs a file name.");
  if (std::filesystem::exists(path)) throw DbError(path + " already exists.");
  auto conn = std::make_unique<SqliteConnection>(
      openHandle(fileUri(path, ""), path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
  conn->exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
  return conn;
}

void removeFiles(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) std::filesystem::remove(path + suffix);
}

}  // namespace corvena::db::sqlite
