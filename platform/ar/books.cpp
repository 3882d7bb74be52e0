#include "platform/ar/books.h"

#include <set>

#include "platform/ar/ledger_sql.h"

namespace corvena::ar {

namespace {

// A document's account is its own, or AR setup's where it has none yet.
constexpr const char* kArByAccount =
    "SELECT CASE WHEN d.ArAcct = '' THEN COALESCE((SELECT MAX(ArAcct) FROM ARSetup), '')"
    " ELSE d.ArAcct END AS acct,"
    " SUM(CASE WHEN d.DocType IN ('CM', 'PA', 'PP') THEN -d.CuryDocBal ELSE d.CuryDocBal END)"
    " FROM ARDoc d WHERE d.Rlsed = 1 GROUP BY 1";
constexpr const char* kGlByAccount = "SELECT Acct, SUM(DrAmt - CrAmt) FROM GLTran GROUP BY Acct";
constexpr const char* kCash = "SELECT COALESCE(MAX(ChkAcct), '') FROM ARSetup";
constexpr const char* kChecks =
    "SELECT COALESCE(SUM(CuryOrigDocAmt), 0) FROM ARDoc WHERE Rlsed = 1"
    " AND DocType IN ('PA', 'PP') AND RevDocType = '' AND (BankAcct = ?1 OR BankAcct = '')";

std::map<std::string, double> byAccount(db::Database& db, const char* sql) {
  std::map<std::string, double> out;
  db::Statement st = query(db, sql);
  while (st.step()) out[textOf(st.column(0))] = amountOf(st.column(1));
  return out;
}

double change(const std::map<std::string, double>& before,
              const std::map<std::string, double>& after, const std::string& acct) {
  const auto at = [&](const auto& m) {
    const auto it = m.find(acct);
    return it == m.end() ? 0.0 : it->second;
  };
  return cents(at(after) - at(before));
}

}  // namespace

Books readBooks(db::Database& db) {
  Books b;
  b.ar = byAccount(db, kArByAccount);
  b.gl = byAccount(db, kGlByAccount);
  db::Statement cash = query(db, kCash);
  if (cash.step()) b.cash = textOf(cash.column(0));
  db::Statement checks = query(db, kChecks, {b.cash});
  if (checks.step()) b.checksReceived = amountOf(checks.column(0));
  return b;
}

std::vector<std::string> booksDisagree(const Books& before, const Books& after) {
  std::vector<std::string> out;
  std::set<std::string> accounts;
  for (const auto* m : {&before.ar, &after.ar})
    for (const auto& [acct, amount] : *m) accounts.insert(acct);
  for (const auto& acct : accounts) {
    const double ar = change(before.ar, after.ar, acct), gl = change(before.gl, after.gl, acct);
    if (ar != gl)
      out.push_back("AR account " + acct + " moved " + money(ar) + ", the GL " + money(gl));
  }
  const double cash = change(before.gl, after.gl, after.cash);
  const double checks = cents(after.checksReceived - before.checksReceived);
  if (cash != checks)
    out.push_back("cash " + after.cash + " moved " + money(cash) + ", checks received " +
                  money(checks));
  return out;
}

}  // namespace corvena::ar
