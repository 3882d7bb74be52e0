#pragma once
// Statements of the ledger with their values bound, and money at the cent.

#include <cmath>
#include <initializer_list>
#include <string>

#include "platform/db/database.h"

namespace corvena::ar {

inline db::Statement query(db::Database& db, const char* sql,
                           std::initializer_list<db::Value> params = {}) {
  db::Statement st = db.prepare(sql);
  int i = 1;
  for (const auto& p : params) st.bind(i++, p);
  return st;
}

inline void execute(db::Database& db, const char* sql, std::initializer_list<db::Value> params) {
  db::Statement st = query(db, sql, params);
  while (st.step()) {
  }
}

inline double cents(double v) {
  return std::round(v * 100) / 100;
}

inline double amountOf(const db::Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* n = std::get_if<std::int64_t>(&v)) return static_cast<double>(*n);
  return 0;
}

inline std::string textOf(const db::Value& v) {
  const auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}

// Why a release refuses its batch; thrown to undo the release's transaction.
struct Refused {
  std::string why;
};

// A row the user's server role may not change is passed over without an
// error; a release that could not change a document goes no further.
inline void changeOne(db::Database& db, const char* sql, std::initializer_list<db::Value> params,
                      const std::string& what) {
  execute(db, sql, params);
  if (db.changes() != 1)
    throw Refused{"The release could not change " + what + "; the user may not change it."};
}

std::string money(double v);

}  // namespace corvena::ar
