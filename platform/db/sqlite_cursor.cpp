// A prepared SQLite statement as a Cursor.

#include <sqlite3.h>

#include "platform/db/sqlite_engine.h"

namespace corvena::db::sqlite {

namespace {

class SqliteCursor final : public Cursor {
 public:
  SqliteCursor(sqlite3* db, const std::string& sql, Connection& counted)
      : stmt_(nullptr), counted_(counted) {
    const int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
      sqlite3_finalize(stmt_);
      throw error(rc, std::string(sqlite3_errmsg(db)) + " in: " + sql);
    }
  }
  ~SqliteCursor() override { sqlite3_finalize(stmt_); }

  void bind(int index, const Value& v) override {
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
    if (rc != SQLITE_OK) throw error(rc, sqlite3_errmsg(sqlite3_db_handle(stmt_)));
  }

  void bindText(int index, std::string_view text) override {
    const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK) throw error(rc, sqlite3_errmsg(sqlite3_db_handle(stmt_)));
  }

  bool step() override {
    if (!running_) counted_.countStatement();
    running_ = true;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    std::string msg = sqlite3_errmsg(sqlite3_db_handle(stmt_));
    sqlite3_reset(stmt_);
    throw error(rc, msg);
  }

  void reset() override {
    running_ = false;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
  int parameterCount() const override { return sqlite3_bind_parameter_count(stmt_); }
  int columnCount() const override { return sqlite3_column_count(stmt_); }
  std::string columnName(int i) const override {
    const char* n = sqlite3_column_name(stmt_, i);
    return n ? n : "";
  }
  std::string columnTable(int i) const override {
    const char* t = sqlite3_column_table_name(stmt_, i);
    return t ? t : "";
  }

  Value column(int i) const override {
    switch (sqlite3_column_type(stmt_, i)) {
      case SQLITE_NULL: return std::monostate{};
      case SQLITE_INTEGER: return static_cast<std::int64_t>(sqlite3_column_int64(stmt_, i));
      case SQLITE_FLOAT: return sqlite3_column_double(stmt_, i);
      default: return std::string(text(i));
    }
  }
  std::string_view text(int i) const override {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return t ? std::string_view(t, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)))
             : std::string_view();
  }
  double real(int i) const override { return sqlite3_column_double(stmt_, i); }

 private:
  sqlite3_stmt* stmt_;
  Connection& counted_;
  bool running_ = false;
};

}  // namespace

std::unique_ptr<Cursor> prepareCursor(sqlite3* db, const std::string& sql, Connection& counted) {
  return std::make_unique<SqliteCursor>(db, sql, counted);
}

}  // namespace corvena::db::sqlite
