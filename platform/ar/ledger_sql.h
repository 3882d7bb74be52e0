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

std::string money(double v);

}  // namespace corvena::ar
