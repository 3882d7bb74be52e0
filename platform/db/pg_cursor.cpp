// A prepared server statement as a Cursor: parameters go as text and the server
// infers their types; a row set is fetched whole when the statement first steps.

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "platform/db/pg_dialect.h"
#include "platform/db/pg_engine.h"

namespace corvena::db::pg {

namespace {

// Type OIDs of the server's built-in types.
constexpr unsigned kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
                   kNumeric = 1700;

std::string numberText(double d) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::isfinite(d) ? d : 0.0);
  return std::string(buf, ec == std::errc() ? end : buf);
}

class PgCursor final : public Cursor {
 public:
  PgCursor(PgConnection& conn, std::string sql) : conn_(conn), sql_(std::move(sql)) { prepare(); }
  ~PgCursor() override {
    pq().PQclear(result_);
    conn_.deallocate(prepared_.name, generation_);
  }

  void bind(int index, const Value& v) override {
    if (index < 1 || index > prepared_.params) throw DbError("Parameter out of range.");
    auto& p = params_[index - 1];
    if (std::holds_alternative<std::monostate>(v))
      p.reset();
    else if (auto* i = std::get_if<std::int64_t>(&v))
      p = std::to_string(*i);
    else if (auto* d = std::get_if<double>(&v))
      p = numberText(*d);
    else
      p = std::get<std::string>(v);
  }

  bool step() override {
    if (!result_) execute();
    return ++row_ < pq().PQntuples(result_);
  }

  void reset() override {
    pq().PQclear(result_);
    result_ = nullptr;
    row_ = -1;
    for (auto& p : params_) p.reset();
  }

  int parameterCount() const override { return prepared_.params; }
  int columnCount() const override { return static_cast<int>(prepared_.columnNames.size()); }
  std::string columnName(int i) const override { return prepared_.columnNames[i]; }
  std::string columnTable(int i) const override {
    const unsigned oid = prepared_.columnTables[i];
    return oid ? conn_.tableName(oid) : std::string();
  }

  Value column(int i) const override {
    if (pq().PQgetisnull(result_, row_, i)) return std::monostate{};
    const char* t = pq().PQgetvalue(result_, row_, i);
    switch (pq().PQftype(result_, i)) {
      case kBool: return std::int64_t{*t == 't'};
      case kInt2:
      case kInt4:
      case kInt8: return static_cast<std::int64_t>(std::strtoll(t, nullptr, 10));
      case kFloat4:
      case kFloat8: return std::strtod(t, nullptr);
      case kNumeric: return integral(t);
      default: return std::string(text(i));
    }
  }
  std::string_view text(int i) const override {
    return std::string_view(pq().PQgetvalue(result_, row_, i),
                            static_cast<std::size_t>(pq().PQgetlength(result_, row_, i)));
  }
  double real(int i) const override {
    const char* t = pq().PQgetvalue(result_, row_, i);
    return *t == 't' ? 1.0 : std::strtod(t, nullptr);
  }

 private:
  // A sum of whole numbers comes back whole, as SQLite's does.
  static Value integral(const char* t) {
    std::int64_t n = 0;
    const std::string_view s(t);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec == std::errc() && end == s.data() + s.size()) return n;
    return std::strtod(t, nullptr);
  }

  void prepare() {
    prepared_ = conn_.prepareNamed(sql_);
    generation_ = conn_.generation();
    params_.resize(prepared_.params);
  }

  // Reconnecting first: a connection made anew holds none of the old one's statements.
  void execute() {
    conn_.ensureConnected();
    if (generation_ != conn_.generation()) prepare();
    std::vector<const char*> values;
    for (const auto& p : params_) values.push_back(p ? p->c_str() : nullptr);
    result_ = conn_.execPrepared(prepared_.name, values);
    row_ = -1;
  }

  PgConnection& conn_;
  std::string sql_;
  PgConnection::Prepared prepared_;
  unsigned generation_ = 0;
  std::vector<std::optional<std::string>> params_;
  PGresult* result_ = nullptr;
  int row_ = -1;
};

}  // namespace

std::unique_ptr<Cursor> prepareCursor(PgConnection& conn, const std::string& sql) {
  return std::make_unique<PgCursor>(conn, toPostgres(sql));
}

}  // namespace corvena::db::pg
