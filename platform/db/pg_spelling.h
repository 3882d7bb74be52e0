#pragma once
// The server folds unquoted names to lower case; callers and screens read result
// columns by the names the SQL texts spell ("CustId", "OpenBal"). A column's name
// is given back as the statement spells it, else as its table's CREATE TABLE does,
// else as any schema or procedure file does.

#include <string>
#include <string_view>
#include <unordered_map>

namespace corvena::db::pg {

class Spelling {
 public:
  // Learns the names of every schema and procedure file of the schema directories.
  void learnSchema();
  // The name of a result column of the table (empty for an expression).
  std::string of(const std::string& folded, const std::string& table, std::string_view statement) const;

 private:
  void learnTables(std::string_view schema);
  std::unordered_map<std::string, std::string> names_;    // any word
  std::unordered_map<std::string, std::string> columns_;  // "table.column"
};

}  // namespace corvena::db::pg
