#pragma once
// Checks a record layout against the table of the same name in a created
// company database: every field a column of a compatible type and, where asked,
// every column a field (framework columns aside).

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::db::testing {

struct ColumnInfo {
  std::string name, type, collation, defaultValue;
};

// A server column in SQLite's words: BPCHAR compares as RTRIM does, BIGINT is
// INTEGER, DOUBLE PRECISION is REAL, and a default drops its cast.
inline ColumnInfo serverColumn(std::string name, const std::string& type, std::string dflt) {
  const auto cast = dflt.find("::");
  if (cast != std::string::npos) dflt.resize(cast);
  if (type == "character") return {name, "TEXT", "RTRIM", dflt};
  if (type == "bigint") return {name, "INTEGER", "", dflt};
  if (type == "double precision") return {name, "REAL", "", dflt};
  return {name, type == "text" ? "TEXT" : type, "", dflt};
}

inline std::vector<ColumnInfo> tableColumns(Database& db, const std::string& table) {
  std::vector<ColumnInfo> cols;
  if (db.dialect() == Database::Dialect::PostgreSQL) {
    Statement st = db.prepare(
        "SELECT column_name, data_type, COALESCE(column_default, '') FROM information_schema.columns "
        "WHERE table_name = lower(?1) ORDER BY ordinal_position");
    st.bind(1, table);
    const auto& spelled = db.columns(table);
    for (std::size_t i = 0; st.step() && i < spelled.size(); ++i)
      cols.push_back(serverColumn(spelled[i], std::get<std::string>(st.column(1)),
                                  std::get<std::string>(st.column(2))));
    return cols;
  }
  sqlite3* handle = nullptr;
  sqlite3_open_v2(db.path().c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
  Statement st =
      db.prepare("SELECT name, type, COALESCE(dflt_value, '') FROM pragma_table_info(?1)");
  st.bind(1, table);
  while (st.step()) {
    ColumnInfo c{std::get<std::string>(st.column(0)), std::get<std::string>(st.column(1)), "",
                 std::get<std::string>(st.column(2))};
    const char* coll = nullptr;
    if (sqlite3_table_column_metadata(handle, nullptr, table.c_str(), c.name.c_str(), nullptr,
                                      &coll, nullptr, nullptr, nullptr) == SQLITE_OK &&
        coll)
      c.collation = coll;
    cols.push_back(c);
  }
  sqlite3_close(handle);
  return cols;
}

inline bool sameName(const std::string& a, const std::string& b) {
  return sqlite3_stricmp(a.c_str(), b.c_str()) == 0;
}

// Empty when the field fits the column; else what is wrong.
inline std::string fieldMismatch(const FieldDesc& f, const ColumnInfo& c) {
  switch (f.type) {
    case FieldType::Text:
      if (c.type != "TEXT" || !sameName(c.collation, "RTRIM")) return "text without RTRIM";
      return "";
    case FieldType::Date:
      if (c.type != "TEXT" || c.defaultValue != "'1900-01-01'") return "date without blank default";
      return "";
    case FieldType::Float:
      return c.type == "REAL" ? "" : "amount not REAL";
    case FieldType::Int16:
      return c.type == "INTEGER" ? "" : "option not INTEGER";
  }
  return "unknown kind";
}

// Problems found, one text each; empty when the layout matches.
inline std::vector<std::string> layoutProblems(Database& db, const RecordLayout& layout,
                                               bool everyColumnAField) {
  std::vector<std::string> problems;
  const auto cols = tableColumns(db, layout.name());
  if (cols.empty()) return {layout.name() + ": no such table"};
  for (const auto& f : layout.fields()) {
    const ColumnInfo* col = nullptr;
    for (const auto& c : cols)
      if (sameName(c.name, f.name)) col = &c;
    if (!col) {
      problems.push_back(layout.name() + "." + f.name + ": no column");
    } else if (auto why = fieldMismatch(f, *col); !why.empty()) {
      problems.push_back(layout.name() + "." + f.name + ": " + why);
    }
  }
  if (everyColumnAField)
    for (const auto& c : cols)
      if (!sameName(c.name, "tstamp") && !layout.find(c.name))
        problems.push_back(layout.name() + "." + c.name + ": column without field");
  return problems;
}

// A value for field number i that differs from every other field's.
inline std::string sampleText(const FieldDesc& f, std::size_t i) {
  switch (f.type) {
    case FieldType::Text: {
      std::string t = std::to_string(i) + f.name + "#'";
      return t.substr(0, f.width);
    }
    case FieldType::Date: {
      char buf[16];
      std::snprintf(buf, sizeof buf, "20%02zu-%02zu-%02zu", 10 + i % 80, 1 + i % 12, 1 + i % 28);
      return buf;
    }
    case FieldType::Float:
      return std::to_string(i) + ".25";
    case FieldType::Int16:
      return std::to_string(i % 2 ? i : 30000 + i);
  }
  return "";
}

// Inserts a record with every field filled and reads it back with SELECT *; the
// fields that did not come back equal, one text each.
inline std::vector<std::string> roundTripProblems(Database& db, const RecordLayout& layout,
                                                  const std::string& table) {
  std::vector<char> in(layout.size()), out(layout.size());
  const RecordRef src(in.data(), &layout), dst(out.data(), &layout);
  blankRecord(src);
  blankRecord(dst);
  for (std::size_t i = 0; i < layout.fields().size(); ++i)
    setFieldText(src, layout.fields()[i], sampleText(layout.fields()[i], i));
  db.insert(table, src);
  Statement st = db.prepare("SELECT * FROM " + table);
  if (!st.step()) return {table + ": no row read back"};
  st.readInto(dst);
  std::vector<std::string> problems;
  for (const auto& f : layout.fields())
    if (fieldText(src, f) != fieldText(dst, f))
      problems.push_back(f.name + ": " + fieldText(src, f) + " became " + fieldText(dst, f));
  return problems;
}

}  // namespace corvena::db::testing
