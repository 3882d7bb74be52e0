#pragma once
// Prepared statements kept per SQL text: screens run the same few statements
// thousands of times while loading a grid, and preparing dominates otherwise.

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/connection.h"

namespace corvena::db {

class StatementCache {
 public:
  explicit StatementCache(Connection& conn) : conn_(conn) {}
  StatementCache(const StatementCache&) = delete;
  StatementCache& operator=(const StatementCache&) = delete;

  // A prepared statement not in use; prepared anew when every cached one is busy.
  Cursor* acquire(const std::string& sql);
  void giveBack(Cursor* stmt);

 private:
  struct Entry {
    std::unique_ptr<Cursor> stmt;
    bool busy;
  };
  static constexpr std::size_t kMaxTexts = 512;
  Connection& conn_;
  std::unordered_map<std::string, std::vector<Entry>> entries_;
  std::unordered_map<Cursor*, Entry*> index_;
};

}  // namespace corvena::db
