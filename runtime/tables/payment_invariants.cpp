#include "runtime/tables/payment_invariants.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "runtime/tables/records.h"

namespace corvena {

namespace {

struct Check {
  const char* what;
  const char* sql;  // each row: the text that names one offender
};

// A batch whose release AR completed holds nothing, though its header closes
// only on its next release or recall (its release was stopped between the two).
#define CORVENA_RELEASED_IN_AR \
  "EXISTS (SELECT 1 FROM Batch b WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)"

// Money is compared at the cent: amounts are kept rounded to it. A host batch
// an open batch's release left unreleased holds that batch's own lines again.
constexpr Check kChecks[] = {
    {"document applied beyond its balance",
     "WITH held AS ("
     "  SELECT CustId, DocType, RefNbr, SUM(CuryApplAmt + DiscAmt) AS amt FROM XNADetail d"
     "  WHERE LineStatus <> 'C' AND NOT EXISTS (SELECT 1 FROM XNAHeader h"
     "    WHERE h.NABatNbr = d.NABatNbr AND (h.Status = 'C' OR " CORVENA_RELEASED_IN_AR "))"
     "  GROUP BY 1, 2, 3"
     "  UNION ALL SELECT CustId, AdjdDocType, AdjdRefNbr, SUM(CuryAdjdAmt + CuryAdjdDiscAmt)"
     "  FROM ARAdjust j WHERE Rlsed = 0 AND NOT EXISTS (SELECT 1 FROM XNAHeader h"
     "    WHERE h.ARBatNbr = j.AdjBatNbr AND h.Status <> 'C') GROUP BY 1, 2, 3)"
     " SELECT h.CustId || ' ' || h.DocType || ' ' || h.RefNbr || ' holds ' || printf('%.2f', SUM(h.amt))"
     "  || ' of ' || printf('%.2f', COALESCE(MAX(a.CuryDocBal), 0))"
     " FROM held h LEFT JOIN ARDoc a ON a.CustId = h.CustId AND a.DocType = h.DocType"
     "  AND a.RefNbr = h.RefNbr AND a.Rlsed = 1"
     " GROUP BY h.CustId, h.DocType, h.RefNbr"
     " HAVING ROUND(SUM(h.amt) - COALESCE(MAX(a.CuryDocBal), 0), 2) > 0"},
    {"document balance outside 0 to its amount",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc"
     " WHERE ROUND(CuryDocBal, 2) < 0 OR ROUND(CuryDocBal - CuryOrigDocAmt, 2) > 0"},
    {"batch applies more than its payment",
     "SELECT h.NABatNbr FROM XNAHeader h JOIN XNADetail d ON d.NABatNbr = h.NABatNbr"
     " GROUP BY h.NABatNbr HAVING ROUND(SUM(d.CuryApplAmt) - MAX(h.OrigDocAmt), 2) > 0"},
    {"application line without its batch",
     "SELECT NABatNbr || ' ' || RefNbr FROM XNADetail d"
     " WHERE NOT EXISTS (SELECT 1 FROM XNAHeader h WHERE h.NABatNbr = d.NABatNbr)"},
    {"amount negative or not at the cent",
     "SELECT NABatNbr || ' ' || RefNbr FROM XNADetail"
     " WHERE CuryApplAmt < 0 OR DiscAmt < 0 OR CuryApplAmt <> ROUND(CuryApplAmt, 2)"
     "  OR DiscAmt <> ROUND(DiscAmt, 2)"
     " UNION ALL SELECT NABatNbr FROM XNAHeader"
     " WHERE OrigDocAmt < 0 OR OrigDocAmt <> ROUND(OrigDocAmt, 2)"},
    {"payment reference used by two batches of a customer",
     "SELECT CustId || ' ' || RefNbr FROM XNAHeader WHERE vond1 = 'NP' AND RefNbr <> ''"
     " GROUP BY CustId, RefNbr HAVING COUNT(*) > 1"},
    {"debit memo raised twice for one batch",
     "SELECT h.NABatNbr FROM XNAHeader h JOIN ARDoc a ON a.DocType = 'DM'"
     "  AND a.DocDesc LIKE 'NA' || TRIM(h.NABatNbr) || '-%'"
     " GROUP BY h.NABatNbr HAVING COUNT(*) > 1"},
    // A reversed batch ("V") was closed first, and keeps its lines.
    {"line marked paid in a batch not closed",
     "SELECT d.NABatNbr || ' ' || d.RefNbr FROM XNADetail d JOIN XNAHeader h"
     "  ON h.NABatNbr = d.NABatNbr WHERE d.LineStatus = 'C' AND h.Status NOT IN ('C', 'V')"},
    {"batch closed on an AR batch not released",
     "SELECT h.NABatNbr || ' ' || h.ARBatNbr FROM XNAHeader h"
     " WHERE h.Status IN ('C', 'V') AND h.ARBatNbr <> '' AND NOT EXISTS (SELECT 1 FROM Batch b"
     "  WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)"},
    {"batch reversed on an AR batch not released",
     "SELECT h.NABatNbr || ' ' || h.RevBatNbr FROM XNAHeader h"
     " WHERE h.Status = 'V' AND NOT EXISTS (SELECT 1 FROM Batch b"
     "  WHERE b.Module = 'AR' AND b.BatNbr = h.RevBatNbr AND b.Rlsed = 1)"},
    {"document held by two open batches",
     "SELECT d.CustId || ' ' || d.DocType || ' ' || d.RefNbr FROM XNADetail d"
     " JOIN XNAHeader h ON h.NABatNbr = d.NABatNbr AND h.Status <> 'C' AND NOT " CORVENA_RELEASED_IN_AR
     " WHERE d.LineStatus <> 'C' GROUP BY d.CustId, d.DocType, d.RefNbr"
     " HAVING COUNT(DISTINCT d.NABatNbr) > 1"},
    {"batch number blank or not numbered",
     "SELECT '''' || NABatNbr || '''' FROM XNAHeader WHERE NABatNbr = ''"},
};

#undef CORVENA_RELEASED_IN_AR

std::vector<std::string> textColumn(db::Database& db, const char* sql) {
  std::vector<std::string> out;
  db::Statement st = db.prepare(sql);
  while (st.step()) {
    const db::Value v = st.column(0);
    out.push_back(std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : "?");
  }
  return out;
}

std::string text(const db::Value& v) {
  return std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : "?";
}

double amount(const db::Value& v) {
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  return 0;
}

std::string cents(double v) {
  char out[40];
  std::snprintf(out, sizeof out, "%.2f", v);
  return out;
}

// A source credit the transfers together hold more of than its balance: the
// same credit moved twice. What a batch holds is the screens' own measure.
std::vector<std::string> overTransferredCredits(db::Database& db) {
  std::vector<std::array<db::Value, 4>> sources;
  db::Statement st = db.prepare(
      "SELECT DISTINCT h.SrcCustID, h.SrcDocType, h.SrcRefNbr, d.CuryDocBal FROM XNATranHdr h"
      " JOIN ARDoc d ON d.CustId = h.SrcCustID AND d.DocType = h.SrcDocType"
      "  AND d.RefNbr = h.SrcRefNbr AND d.Rlsed = 1");
  while (st.step()) sources.push_back({st.column(0), st.column(1), st.column(2), st.column(3)});
  std::vector<std::string> out;
  for (const auto& [cust, type, ref, balance] : sources) {
    const std::string name = text(cust) + " " + text(type) + " " + text(ref);
    double held = 0;
    db::Statement h = db.run("XNATranHdr_SourceHeld " + db::textLiteral(text(cust)) +
                             db::textLiteral(text(type)) + db::textLiteral(text(ref)) + "''");
    XNATranHdr row{};
    while (h.step()) {
      h.readInto(row);
      held += row.SrcAmt;
    }
    if (std::round((held - amount(balance)) * 100) > 0)
      out.push_back(name + " held " + cents(held) + " of " + cents(amount(balance)));
  }
  return out;
}

}  // namespace

std::vector<std::string> paymentInvariantProblems(db::Database& db) {
  std::vector<std::string> problems;
  for (const auto& line : db.integrityProblems()) problems.push_back("database damaged: " + line);
  if (!problems.empty()) return problems;
  for (const auto& check : kChecks)
    for (const auto& offender : textColumn(db, check.sql))
      problems.push_back(std::string(check.what) + ": " + offender);
  for (const auto& offender : overTransferredCredits(db))
    problems.push_back("credit transferred beyond its balance: " + offender);
  return problems;
}

}  // namespace corvena
