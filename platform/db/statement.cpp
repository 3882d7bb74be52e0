#include <sqlite3.h>

#include <strings.h>

#include <cstring>

#include "platform/db/database.h"
#include "platform/db/statement_cache.h"

namespace corvena::db {

Statement::Statement(sqlite3* db, std::string_view sql) : stmt_(prepareOrThrow(db, std::string(sql))) {}

Statement::Statement(sqlite3_stmt* borrowed, StatementCache* owner) : stmt_(borrowed), owner_(owner) {}

Statement::Statement(Statement&& o) noexcept
    : stmt_(o.stmt_), owner_(o.owner_), mappedLayout_(o.mappedLayout_), mapping_(std::move(o.mapping_)) {
  o.stmt_ = nullptr;
  o.owner_ = nullptr;
}

Statement& Statement::operator=(Statement&& o) noexcept {
  if (this != &o) {
    release();
    stmt_ = o.stmt_;
    owner_ = o.owner_;
    mappedLayout_ = o.mappedLayout_;
    mapping_ = std::move(o.mapping_);
    o.stmt_ = nullptr;
    o.owner_ = nullptr;
  }
  return *this;
}

Statement::~Statement() { release(); }

void Statement::release() {
  if (!stmt_) return;
  if (owner_)
    owner_->giveBack(stmt_);
  else
    sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  owner_ = nullptr;
}

void Statement::bind(int index, const Value& v) {
  int rc = SQLITE_OK;
  if (std::holds_alternative<std::monostate>(v))
    rc = sqlite3_bind_null(stmt_, index);
  else if (auto* i = std::get_if<std::int64_t>(&v))
    rc = sqlite3_bind_int64(stmt_, index, *i);
  else if (auto* d = std::get_if<double>(&v))
    rc = sqlite3_bind_double(stmt_, index, *d);
  else {
    const auto& s = std::get<std::string>(v);
    rc = sqlite3_bind_text(stmt_, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) throw sqliteError(rc, sqlite3_errmsg(sqlite3_db_handle(stmt_)));
}

bool Statement::step() {
  if (!stmt_) return false;
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  std::string msg = sqlite3_errmsg(sqlite3_db_handle(stmt_));
  sqlite3_reset(stmt_);
  throw sqliteError(rc, msg);
}

void Statement::reset() {
  if (stmt_) sqlite3_reset(stmt_);
}

int Statement::parameterCount() const { return stmt_ ? sqlite3_bind_parameter_count(stmt_) : 0; }

int Statement::columnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

std::string Statement::columnName(int i) const {
  const char* n = sqlite3_column_name(stmt_, i);
  return n ? n : "";
}

Value Statement::column(int i) const {
  switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL: return std::monostate{};
    case SQLITE_INTEGER: return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT: return sqlite3_column_double(stmt_, i);
    default: {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
      return std::string(t ? t : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)));
    }
  }
}

namespace {

void storeColumn(sqlite3_stmt* stmt, int i, const RecordRef& rec, const FieldDesc& f) {
  void* p = rec.at(f);
  switch (f.type) {
    case FieldType::Text: {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      const std::size_t n = t ? std::min<std::size_t>(sqlite3_column_bytes(stmt, i), f.width) : 0;
      std::memcpy(p, t ? t : "", n);
      std::memset(static_cast<char*>(p) + n, ' ', f.width - n);
      break;
    }
    case FieldType::Date: {
      const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      Date d;
      Date::parseIso(std::string_view(t ? t : "").substr(0, 10), d);
      *static_cast<Date*>(p) = d;
      break;
    }
    case FieldType::Float: *static_cast<double*>(p) = sqlite3_column_double(stmt, i); break;
    case FieldType::Int16:
      *static_cast<std::int16_t*>(p) = static_cast<std::int16_t>(sqlite3_column_int(stmt, i));
      break;
  }
}

}  // namespace

// A join names a column once per table ("CustId" of the header and of the
// detail): a record takes the one of its own table.
void Statement::mapColumns(const RecordRef& rec) const {
  const int n = columnCount();
  mapping_.assign(n, nullptr);
  for (int i = 0; i < n; ++i) mapping_[i] = rec.layout->find(sqlite3_column_name(stmt_, i));
  const auto ownTable = [&](int i) {
    const char* t = sqlite3_column_table_name(stmt_, i);
    return t && ::strcasecmp(t, rec.layout->name().c_str()) == 0;
  };
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      if (i != j && mapping_[i] && mapping_[i] == mapping_[j] && ownTable(j) && !ownTable(i))
        mapping_[i] = nullptr;
  mappedLayout_ = rec.layout;
}

void Statement::readInto(const RecordRef& rec) const {
  const int n = columnCount();
  if (mappedLayout_ != rec.layout || static_cast<int>(mapping_.size()) != n) mapColumns(rec);
  for (int i = 0; i < n; ++i)
    if (mapping_[i]) storeColumn(stmt_, i, rec, *mapping_[i]);
}

std::string rowText(const Statement& st) {
  std::string out;
  for (int i = 0; i < st.columnCount(); ++i) {
    if (i) out += "|";
    const Value v = st.column(i);
    if (const auto* s = std::get_if<std::string>(&v)) out += *s;
    if (const auto* n = std::get_if<std::int64_t>(&v)) out += std::to_string(*n);
    if (const auto* d = std::get_if<double>(&v)) out += std::to_string(*d);
  }
  return out;
}

Value fieldValue(const RecordRef& rec, const FieldDesc& f) {
  const void* p = rec.at(f);
  switch (f.type) {
    case FieldType::Text: {
      std::string_view s(static_cast<const char*>(p), f.width);
      while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
      return std::string(s);
    }
    case FieldType::Date: return static_cast<const Date*>(p)->iso();
    case FieldType::Float: return *static_cast<const double*>(p);
    case FieldType::Int16: return static_cast<std::int64_t>(*static_cast<const std::int16_t*>(p));
  }
  return std::monostate{};
}

}  // namespace corvena::db
