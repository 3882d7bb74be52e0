#include <strings.h>

#include <cstring>

#include "platform/db/connection.h"
#include "platform/db/database.h"
#include "platform/db/statement_cache.h"

namespace corvena::db {

namespace {

// A text field as stored: without the blanks that pad it.
std::string_view storedText(const RecordRef& rec, const FieldDesc& f) {
  std::string_view s(static_cast<const char*>(rec.at(f)), f.width);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

}  // namespace

Statement::Statement(std::unique_ptr<Cursor> owned) : stmt_(owned.release()) {}

Statement::Statement(Cursor* borrowed, StatementCache* owner) : stmt_(borrowed), owner_(owner) {}

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
    delete stmt_;
  stmt_ = nullptr;
  owner_ = nullptr;
}

void Statement::bind(int index, const Value& v) { stmt_->bind(index, v); }

void Statement::bindField(int index, const RecordRef& rec, const FieldDesc& f) {
  if (f.type != FieldType::Text) return bind(index, fieldValue(rec, f));
  stmt_->bindText(index, storedText(rec, f));
}

bool Statement::step() { return stmt_ && stmt_->step(); }

void Statement::reset() {
  if (stmt_) stmt_->reset();
}

int Statement::parameterCount() const { return stmt_ ? stmt_->parameterCount() : 0; }

int Statement::columnCount() const { return stmt_ ? stmt_->columnCount() : 0; }

std::string Statement::columnName(int i) const { return stmt_->columnName(i); }

Value Statement::column(int i) const { return stmt_->column(i); }

namespace {

void storeColumn(const Cursor& stmt, int i, const RecordRef& rec, const FieldDesc& f) {
  void* p = rec.at(f);
  switch (f.type) {
    case FieldType::Text: {
      const std::string_view t = stmt.text(i);
      const std::size_t n = std::min<std::size_t>(t.size(), f.width);
      std::memcpy(p, t.data(), n);
      std::memset(static_cast<char*>(p) + n, ' ', f.width - n);
      break;
    }
    case FieldType::Date: {
      Date d;
      Date::parseIso(stmt.text(i).substr(0, 10), d);
      *static_cast<Date*>(p) = d;
      break;
    }
    case FieldType::Float: *static_cast<double*>(p) = stmt.real(i); break;
    case FieldType::Int16:
      *static_cast<std::int16_t*>(p) = static_cast<std::int16_t>(stmt.real(i));
      break;
  }
}

}  // namespace

// A join names a column once per table ("CustId" of the header and of the
// detail): a record takes the one of its own table.
void Statement::mapColumns(const RecordRef& rec) const {
  const int n = columnCount();
  mapping_.assign(n, nullptr);
  std::vector<bool> own(n);
  for (int i = 0; i < n; ++i) {
    mapping_[i] = rec.layout->find(stmt_->columnName(i));
    own[i] = ::strcasecmp(stmt_->columnTable(i).c_str(), rec.layout->name().c_str()) == 0;
  }
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      if (i != j && mapping_[i] && mapping_[i] == mapping_[j] && own[j] && !own[i])
        mapping_[i] = nullptr;
  mappedLayout_ = rec.layout;
}

void Statement::readInto(const RecordRef& rec) const {
  const int n = columnCount();
  if (mappedLayout_ != rec.layout || static_cast<int>(mapping_.size()) != n) mapColumns(rec);
  for (int i = 0; i < n; ++i)
    if (mapping_[i]) storeColumn(*stmt_, i, rec, *mapping_[i]);
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
    case FieldType::Text: return std::string(storedText(rec, f));
    case FieldType::Date: return static_cast<const Date*>(p)->iso();
    case FieldType::Float: return *static_cast<const double*>(p);
    case FieldType::Int16: return static_cast<std::int64_t>(*static_cast<const std::int16_t*>(p));
  }
  return std::monostate{};
}

}  // namespace corvena::db
