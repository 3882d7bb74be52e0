#include "platform/db/statement_cache.h"

namespace corvena::db {

Cursor* StatementCache::acquire(const std::string& sql) {
  auto it = entries_.find(sql);
  if (it == entries_.end()) {
    if (entries_.size() >= kMaxTexts) return nullptr;
    it = entries_.emplace(sql, std::vector<Entry>{}).first;
    it->second.reserve(4);
  }
  for (auto& e : it->second) {
    if (!e.busy) {
      e.busy = true;
      return e.stmt.get();
    }
  }
  if (it->second.size() == it->second.capacity()) return nullptr;  // keeps index_ pointers stable
  it->second.push_back(Entry{conn_.prepare(sql), true});
  Cursor* stmt = it->second.back().stmt.get();
  index_[stmt] = &it->second.back();
  return stmt;
}

void StatementCache::giveBack(Cursor* stmt) {
  stmt->reset();
  auto it = index_.find(stmt);
  if (it != index_.end()) it->second->busy = false;
}

}  // namespace corvena::db
