#include "platform/db/pg_spelling.h"

#include <cctype>
#include <filesystem>

#include "platform/db/data_directory.h"
#include "platform/db/database.h"

namespace corvena::db::pg {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string folded(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Calls f with each name-like word of the text.
template <typename F>
void forEachWord(std::string_view text, F f) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (!isNameChar(text[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < text.size() && isNameChar(text[j])) ++j;
    if (!f(text.substr(i, j - i))) return;
    i = j;
  }
}

std::string firstWord(std::string_view text) {
  std::string word;
  forEachWord(text, [&](std::string_view w) {
    word = std::string(w);
    return false;
  });
  return word;
}

}  // namespace

void Spelling::learnSchema() {
  for (const auto& dir : schemaDirectories())
    for (const char* name : {"schema.sql", "procedures.sql"}) {
      const auto file = std::filesystem::path(dir) / name;
      if (!sqlFileReachable(file.string())) continue;
      const std::string text = readSqlFile(file.string());
      forEachWord(text, [&](std::string_view w) {
        names_.emplace(folded(w), std::string(w));
        return true;
      });
      learnTables(text);
    }
}

// Each column definition of a CREATE TABLE starts with its name; a view's columns
// are the names its SELECT gives them with AS.
void Spelling::learnTables(std::string_view schema) {
  const std::string lower = folded(schema);
  for (std::size_t at = lower.find("create view "); at != std::string::npos;
       at = lower.find("create view ", at + 1)) {
    const std::string view = folded(firstWord(schema.substr(at + 12)));
    const std::size_t end = std::min(lower.find(';', at), lower.size());
    for (std::size_t as = lower.find(" as ", at); as < end; as = lower.find(" as ", as + 1)) {
      const std::string column = firstWord(schema.substr(as + 4, end - as - 4));
      if (folded(column) != "select") columns_.emplace(view + "." + folded(column), column);
    }
  }
  for (std::size_t at = lower.find("create table "); at != std::string::npos;
       at = lower.find("create table ", at + 1)) {
    const std::size_t open = lower.find('(', at);
    if (open == std::string::npos) return;
    const std::string table = folded(firstWord(schema.substr(at + 13, open - at - 13)));
    int depth = 0;
    std::size_t start = open + 1;
    for (std::size_t i = open; i < schema.size() && depth >= 0; ++i) {
      if (schema[i] == '(') ++depth;
      if (schema[i] == ')') --depth;
      if ((schema[i] == ',' && depth == 1) || depth == 0) {
        const std::string column = firstWord(schema.substr(start, i - start));
        columns_.emplace(table + "." + folded(column), column);
        start = i + 1;
        if (depth == 0) break;
      }
    }
  }
}

std::string Spelling::of(const std::string& name, const std::string& table,
                         std::string_view statement) const {
  std::string found;
  forEachWord(statement, [&](std::string_view w) {
    if (w.size() == name.size() && folded(w) == name) found = std::string(w);
    return found.empty();
  });
  if (!found.empty()) return found;
  if (auto it = columns_.find(folded(table) + "." + name); it != columns_.end()) return it->second;
  auto it = names_.find(name);
  return it == names_.end() ? name : it->second;
}

}  // namespace corvena::db::pg
