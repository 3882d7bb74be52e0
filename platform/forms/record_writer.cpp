#include "platform/forms/record_writer.h"

#include "platform/forms/duplicate_key.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

std::vector<const FieldDesc*> columnFields(db::Database& db, const std::string& table,
                                           const RecordLayout& layout) {
  std::vector<const FieldDesc*> out;
  for (const auto& col : db.columns(table))
    if (!iequals(col, "tstamp"))
      if (const FieldDesc* f = layout.find(col)) out.push_back(f);
  return out;
}

std::vector<const FieldDesc*> primaryKeyFields(db::Database& db, const std::string& table,
                                               const RecordLayout& layout) {
  std::vector<const FieldDesc*> out;
  for (const auto& col : db.primaryKey(table)) {
    const FieldDesc* f = layout.find(col);
    if (!f) return {};
    out.push_back(f);
  }
  return out;
}

RecordWriter::RecordWriter(db::Database& db, std::string table, std::vector<const FieldDesc*> keys)
    : db_(db), table_(std::move(table)), keys_(std::move(keys)) {
  for (const auto& col : db_.columns(table_))
    if (iequals(col, "tstamp")) tstamp_ = true;
}

std::string RecordWriter::where(int firstParam) const {
  std::string w;
  for (std::size_t i = 0; i < keys_.size(); ++i)
    w += (i ? " AND " : " WHERE ") + keys_[i]->name + " = ?" +
         std::to_string(firstParam + static_cast<int>(i));
  return w;
}

void RecordWriter::bindKeys(db::Statement& st, const RecordRef& keyImage, int firstParam) const {
  for (std::size_t i = 0; i < keys_.size(); ++i)
    st.bind(firstParam + static_cast<int>(i), db::fieldValue(keyImage, *keys_[i]));
}

std::optional<std::int64_t> RecordWriter::stored(const RecordRef& keyImage) {
  db::Statement st = db_.prepare("SELECT " + std::string(tstamp_ ? "tstamp" : "0") + " FROM " +
                                 table_ + where(1) + " LIMIT 1");
  bindKeys(st, keyImage, 1);
  if (!st.step()) return std::nullopt;
  const db::Value v = st.column(0);
  const auto* n = std::get_if<std::int64_t>(&v);
  return n ? *n : 0;
}

void RecordWriter::insert(const RecordRef& rec) {
  writeGuarded([&] { db_.insert(table_, rec); }, &rec);
}

void RecordWriter::update(const RecordRef& rec, const RecordRef& keyImage) {
  const auto fields = columnFields(db_, table_, *rec.layout);
  std::string set;
  for (std::size_t i = 0; i < fields.size(); ++i)
    set += (i ? ", " : "") + fields[i]->name + " = ?" + std::to_string(i + 1);
  if (tstamp_) set += std::string(fields.empty() ? "" : ", ") + "tstamp = tstamp + 1";
  if (set.empty()) return;
  const int first = static_cast<int>(fields.size()) + 1;
  db::Statement st = db_.prepare("UPDATE " + table_ + " SET " + set + where(first));
  for (std::size_t i = 0; i < fields.size(); ++i)
    st.bind(static_cast<int>(i) + 1, db::fieldValue(rec, *fields[i]));
  bindKeys(st, keyImage, first);
  writeGuarded([&] { st.step(); }, &rec);
}

void RecordWriter::touch(const RecordRef& keyImage) {
  if (!tstamp_) return;
  db::Statement st = db_.prepare("UPDATE " + table_ + " SET tstamp = tstamp + 1" + where(1));
  bindKeys(st, keyImage, 1);
  st.step();
}

void RecordWriter::remove(const RecordRef& keyImage) {
  db::Statement st = db_.prepare("DELETE FROM " + table_ + where(1));
  bindKeys(st, keyImage, 1);
  st.step();
}

}  // namespace corvena::forms
