#pragma once
// Prepared statements kept per SQL text: screens run the same few statements
// thousands of times while loading a grid, and preparing dominates otherwise.

#include <sqlite3.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace corvena::db {

class StatementCache {
 public:
  explicit StatementCache(sqlite3* db) : db_(db) {}
  ~StatementCache();
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // A prepared statement not in use; prepared anew when every cached one is busy.
  sqlite3_stmt* acquire(const std::string& sql);
  void giveBack(sqlite3_stmt* stmt);

 private:
  struct Entry {
    sqlite3_stmt* stmt;
    bool busy;
  };
  static constexpr std::size_t kMaxTexts = 512;
  sqlite3* db_;
  std::unordered_map<std::string, std::vector<Entry>> entries_;
  std::unordered_map<sqlite3_stmt*, Entry*> index_;
};

sqlite3_stmt* prepareOrThrow(sqlite3* db, const std::string& sql);

}  // namespace corvena::db
