#pragma once
// Writes one table's rows from record images by key, inside the caller's
// transaction. With no key fields the table is a single-row table.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::forms {

class RecordWriter {
 public:
  RecordWriter(db::Database& db, std::string table, std::vector<const FieldDesc*> keys);

  // The stored row's tstamp (0 for a table without one); nothing when there is no row.
  std::optional<std::int64_t> stored(const RecordRef& keyImage);
  void insert(const RecordRef& rec);
  // Updates the row keyed by keyImage with all of rec's columns; tstamp goes up by one.
  void update(const RecordRef& rec, const RecordRef& keyImage);
  void remove(const RecordRef& keyImage);
  // Moves the row's tstamp on, as a write of it would.
  void touch(const RecordRef& keyImage);

 private:
  std::string where(int firstParam) const;
  void bindKeys(db::Statement& st, const RecordRef& keyImage, int firstParam) const;
  db::Database& db_;
  std::string table_;
  std::vector<const FieldDesc*> keys_;
  bool tstamp_ = false;
};

// The record's fields of the table's primary key; empty when the table has
// none or the record lacks one of its columns.
std::vector<const FieldDesc*> primaryKeyFields(db::Database& db, const std::string& table,
                                               const RecordLayout& layout);
// The fields of the record that are columns of the table (tstamp excepted).
std::vector<const FieldDesc*> columnFields(db::Database& db, const std::string& table,
                                           const RecordLayout& layout);

}  // namespace corvena::forms
