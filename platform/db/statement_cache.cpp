#include "platform/db/statement_cache.h"

#include "platform/db/database.h"

namespace corvena::db {

sqlite3_stmt* prepareOrThrow(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(stmt);
    throw sqliteError(rc, std::string(sqlite3_errmsg(db)) + " in: " + sql);
  }
  return stmt;
}

StatementCache::~StatementCache() {
  for (auto& [sql, list] : entries_)
    for (auto& e : list) sqlite3_finalize(e.stmt);
}

sqlite3_stmt* StatementCache::acquire(const std::string& sql) {
  auto it = entries_.find(sql);
  if (it == entries_.end()) {
    if (entries_.size() >= kMaxTexts) return nullptr;
    it = entries_.emplace(sql, std::vector<Entry>{}).first;
    it->second.reserve(4);
  }
  for (auto& e : it->second) {
    if (!e.busy) {
      e.busy = true;
      return e.stmt;
    }
  }
  if (it->second.size() == it->second.capacity()) return nullptr;  // keeps index_ pointers stable
  sqlite3_stmt* stmt = prepareOrThrow(db_, sql);
  it->second.push_back(Entry{stmt, true});
  index_[stmt] = &it->second.back();
  return stmt;
}

void StatementCache::giveBack(sqlite3_stmt* stmt) {
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  auto it = index_.find(stmt);
  if (it != index_.end()) it->second->busy = false;
}

}  // namespace corvena::db
