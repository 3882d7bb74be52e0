#include "platform/forms/duplicate_key.h"

#include "platform/forms/entry_check.h"
#include "platform/forms/session.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

// "UNIQUE constraint failed: XNACustS.SecondaryCustid, ..." names table and columns.
std::pair<std::string, std::vector<std::string>> keyOf(std::string_view what) {
  std::pair<std::string, std::vector<std::string>> out;
  const auto colon = what.find(": ");
  if (colon == std::string_view::npos) return out;
  std::string_view rest = what.substr(colon + 2);
  while (!rest.empty()) {
    const auto comma = std::min(rest.find(", "), rest.size());
    const std::string_view item = rest.substr(0, comma);
    const auto dot = item.find('.');
    if (dot != std::string_view::npos && item.find(' ') == std::string_view::npos) {
      out.first = std::string(item.substr(0, dot));
      out.second.emplace_back(item.substr(dot + 1));
    }
    rest.remove_prefix(std::min(comma + 2, rest.size()));
  }
  return out;
}

// The label of the field the clerk sees for the column; empty when the screen
// fills it itself (no control shown, or one without a heading or caption).
std::string labelOf(const Session& s, const std::string& table, const std::string& column) {
  for (const auto& form : s.forms())
    for (const auto& c : form->controls()) {
      RecordRef rec;
      const FieldDesc* f = s.fieldOf(*c, &rec);
      if (!f || !iequals(f->name, column) || !iequals(rec.layout->name(), table)) continue;
      const std::string label = controlLabel(*c);
      if (c->visible() && label != c->name()) return label;
    }
  return {};
}

}  // namespace

DuplicateKey::DuplicateKey(const db::DbError& cause, std::string table,
                           std::vector<std::pair<std::string, std::string>> values)
    : db::DbError(cause.what(), cause.kind()), table_(std::move(table)), values_(std::move(values)) {}

void writeGuarded(const std::function<void()>& write, const RecordRef* rec) {
  try {
    write();
  } catch (const DuplicateKey&) {
    throw;
  } catch (const db::DbError& e) {
    if (!e.duplicate()) throw;
    auto [table, columns] = keyOf(e.what());
    std::vector<std::pair<std::string, std::string>> values;
    for (const auto& column : columns) {
      const FieldDesc* f = rec ? rec->layout->find(column) : nullptr;
      values.emplace_back(column, f ? trim(fieldText(*rec, *f)) : std::string());
    }
    throw DuplicateKey(e, table, std::move(values));
  }
}

std::string duplicateText(const Session& s, const DuplicateKey& d) {
  std::string shown, all;
  for (const auto& [column, value] : d.values()) {
    const std::string label = labelOf(s, d.table(), column);
    const std::string part = (label.empty() ? column : label) + (value.empty() ? "" : " " + value);
    all += (all.empty() ? "" : ", ") + part;
    if (!label.empty()) shown += (shown.empty() ? "" : ", ") + part;
  }
  if (!shown.empty()) return shown;
  return all.empty() ? "A record of " + d.table() + " with the same key" : all;
}

}  // namespace corvena::forms
