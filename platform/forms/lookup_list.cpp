#include "platform/forms/lookup_list.h"

#include <cctype>
#include <sstream>
#include <variant>

#include "platform/forms/proc_ref.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

std::size_t skipBlanksBack(const std::string& sql, std::size_t end) {
  while (end > 0 && std::isspace(static_cast<unsigned char>(sql[end - 1]))) --end;
  return end;
}

// The column compared with the parameter whose mark starts at `mark`:
// "Name LIKE ?3" or "Name = ?3".
std::string comparedBefore(const std::string& sql, std::size_t mark) {
  std::size_t end = skipBlanksBack(sql, mark);
  if (end >= 1 && sql[end - 1] == '=') {
    --end;
  } else if (end >= 4 && iequals(std::string_view(sql).substr(end - 4, 4), "like")) {
    end -= 4;
  } else {
    return {};
  }
  end = skipBlanksBack(sql, end);
  std::size_t begin = end;
  while (begin > 0 && isNameChar(sql[begin - 1])) --begin;
  const std::string name = sql.substr(begin, end - begin);
  return name.substr(name.find_last_of('.') == std::string::npos ? 0 : name.find_last_of('.') + 1);
}

std::string alnumLower(std::string_view text) {
  std::string key;
  for (char c : text)
    if (std::isalnum(static_cast<unsigned char>(c)))
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

std::size_t columnNamed(const std::vector<std::string>& columns, std::string_view name) {
  for (std::size_t c = 0; c < columns.size(); ++c)
    if (!name.empty() && alnumLower(columns[c]) == alnumLower(name)) return c;
  return columns.size();
}

// The matched column; a procedure that does not say is taken at its word by
// the field's name or heading, else its first column.
std::size_t valueColumnOf(const Session& s, const Control& control, const std::string& procedure,
                          const std::vector<std::string>& columns) {
  const db::Database::Procedure* proc = s.database().procedure(procedure);
  for (const std::string& name :
       {proc ? matchedColumn(*proc) : std::string(), control.fieldName(), control.desc().heading}) {
    if (const std::size_t c = columnNamed(columns, name); c < columns.size()) return c;
  }
  return 0;
}

}  // namespace

std::string matchedColumn(const db::Database::Procedure& procedure) {
  if (procedure.statements.empty() || procedure.params == 0) return {};
  const std::string& sql = procedure.statements.back();
  const std::string mark = "?" + std::to_string(procedure.params);
  for (std::size_t at = sql.find(mark); at != std::string::npos; at = sql.find(mark, at + 1)) {
    const std::size_t after = at + mark.size();
    if (after < sql.size() && std::isdigit(static_cast<unsigned char>(sql[after]))) continue;
    if (std::string name = comparedBefore(sql, at); !name.empty()) return name;
  }
  return {};
}

std::string valueText(const db::Value& value) {
  if (const auto* n = std::get_if<std::int64_t>(&value)) return std::to_string(*n);
  if (const auto* d = std::get_if<double>(&value)) {
    std::ostringstream out;
    out << *d;
    return out.str();
  }
  if (const auto* t = std::get_if<std::string>(&value)) return *t;
  return {};
}

std::string LookupList::value(std::size_t row) const {
  return trim(valueText(rows.at(row).at(valueColumn)));
}

bool hasLookup(const Control& control) {
  return !control.property("pv").empty() || control.handlers().possibleValues;
}

LookupList lookupList(Session& session, const Control& control) {
  LookupList list;
  if (const auto& made = control.handlers().possibleValues) {
    PossibleValues values = made();
    list.columns = std::move(values.columns);
    for (auto& row : values.rows) list.rows.emplace_back(row.begin(), row.end());
    return list;
  }
  const std::string& pv = control.property("pv");
  db::Statement statement = session.database().run(procCall(session, pv, {std::string("%")}));
  for (int c = 0; c < statement.columnCount(); ++c) list.columns.push_back(statement.columnName(c));
  while (statement.step()) {
    std::vector<db::Value> row;
    for (int c = 0; c < statement.columnCount(); ++c) row.push_back(statement.column(c));
    list.rows.push_back(std::move(row));
  }
  list.valueColumn = valueColumnOf(session, control, parseProcRef(pv).procedure, list.columns);
  return list;
}

}  // namespace corvena::forms
