#pragma once
// A write that a unique key of its table refused, told in the clerk's terms:
// the field as the screen names it and the value typed.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/db/database.h"

namespace corvena::forms {

class Session;

class DuplicateKey : public db::DbError {
 public:
  DuplicateKey(const db::DbError& cause, std::string table,
               std::vector<std::pair<std::string, std::string>> values);
  const std::string& table() const { return table_; }
  // Each key column with the value written (empty when the write was plain SQL).
  const std::vector<std::pair<std::string, std::string>>& values() const { return values_; }

 private:
  std::string table_;
  std::vector<std::pair<std::string, std::string>> values_;
};

// Runs `write`; a duplicate-key refusal becomes DuplicateKey, with the values
// taken from `rec` where one is given.
void writeGuarded(const std::function<void()>& write, const RecordRef* rec = nullptr);

// "Child Customer ID ACME": the key's fields by their labels on the screen, and values.
std::string duplicateText(const Session& s, const DuplicateKey& d);

}  // namespace corvena::forms
