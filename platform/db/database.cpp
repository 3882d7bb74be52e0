#include "platform/db/database.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/statement_cache.h"

namespace corvena::db {

namespace {

void execOn(sqlite3* db, std::string_view script) {
  char* err = nullptr;
  const int rc = sqlite3_exec(db, std::string(script).c_str(), nullptr, nullptr, &err);
  if (rc != SQLITE_OK) {
    std::string msg = err ? err : sqlite3_errmsg(db);
    sqlite3_free(err);
    throw sqliteError(rc, msg);
  }
}

}  // namespace

Database::Database(sqlite3* db, std::string path, bool viewOnly)
    : db_(db),
      path_(std::move(path)),
      viewOnly_(viewOnly),
      cache_(std::make_unique<StatementCache>(db)) {}

Database::~Database() {
  procedures_.clear();
  cache_.reset();
  sqlite3_close_v2(db_);
}

void Database::exec(std::string_view script) { execOn(db_, script); }

Statement Database::prepare(std::string_view sql) {
  std::string text(sql);
  if (sqlite3_stmt* st = cache_->acquire(text)) return Statement(st, cache_.get());
  return Statement(db_, text);
}

Statement Database::runStatement(const std::string& sql, const std::vector<Value>& params) {
  Statement st = prepare(sql);
  const int wanted = st.parameterCount();
  for (int i = 0; i < wanted && i < static_cast<int>(params.size()); ++i) st.bind(i + 1, params[i]);
  return st;
}

Statement Database::run(std::string_view text) { return run(parseCall(text)); }

void Database::insert(std::string_view table, const RecordRef& rec) {
  const auto& cols = columns(table);
  if (cols.empty()) throw DbError("No such table: " + std::string(table));
  std::vector<const FieldDesc*> fields;
  std::string names, marks;
  for (const auto& c : cols) {
    if (const FieldDesc* f = rec.layout->find(c)) {
      names += (fields.empty() ? "" : ", ") + c;
      marks += fields.empty() ? "?" : ", ?";
      fields.push_back(f);
    }
  }
  Statement st = prepare("INSERT INTO " + std::string(table) + " (" + names + ") VALUES (" + marks + ")");
  for (std::size_t i = 0; i < fields.size(); ++i) st.bind(static_cast<int>(i) + 1, fieldValue(rec, *fields[i]));
  st.step();
}

const std::vector<std::string>& Database::columns(std::string_view table) {
  auto same = [&](const auto& e) {
    return e.first.size() == table.size() &&
           std::equal(e.first.begin(), e.first.end(), table.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) ==
                                                  std::tolower(static_cast<unsigned char>(b)); });
  };
  auto it = std::find_if(columns_.begin(), columns_.end(), same);
  if (it != columns_.end()) return it->second;
  std::vector<std::string> cols;
  Statement st = prepare("SELECT name FROM pragma_table_info(?1)");
  st.bind(1, std::string(table));
  while (st.step()) cols.push_back(std::get<std::string>(st.column(0)));
  columns_.emplace_back(std::string(table), std::move(cols));
  return columns_.back().second;
}

// Nested begins become savepoints, so a procedure that opens its own
// transaction still takes part in the caller's save.
void Database::begin() {
  if (viewOnly_)
    throw DbError("The company database " + path_ +
                  " is open for viewing only (it cannot be written here); nothing can be saved.",
                  SQLITE_READONLY);
  try {
    exec(depth_ == 0 ? std::string("BEGIN IMMEDIATE") : "SAVEPOINT s" + std::to_string(depth_));
  } catch (const DbError& e) {
    if (e.locked()) ++lockTimeouts_;
    throw;
  }
  ++depth_;
}

void Database::commit() {
  if (depth_ == 0) throw DbError("Commit without a transaction.");
  --depth_;
  exec(depth_ == 0 ? std::string("COMMIT") : "RELEASE s" + std::to_string(depth_));
}

void Database::rollback() {
  if (depth_ == 0) return;
  --depth_;
  if (depth_ == 0) {
    exec("ROLLBACK");
  } else {
    const std::string sp = "s" + std::to_string(depth_);
    exec("ROLLBACK TO " + sp + "; RELEASE " + sp);
  }
}

bool Database::inTransaction() const { return depth_ > 0; }

std::int64_t Database::changes() const { return sqlite3_changes64(db_); }

std::vector<std::string> schemaDirectories() {
  const char* env = std::getenv("CORVENA_SCHEMA_PATH");
  std::string list = env && *env ? env : CORVENA_DEFAULT_SCHEMA_PATH;
  std::vector<std::string> dirs;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) dirs.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return dirs;
}

}  // namespace corvena::db
