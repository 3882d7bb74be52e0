// What must hold of the AR ledger, on any company database.
#include "platform/ar/ledger.h"
#include "platform/ar/ledger_sql.h"

namespace corvena::ar {

namespace {

struct Check {
  const char* what;
  const char* sql;  // each row names one offender
};

// Documents the ledger released (they carry GL lines of their own) keep
// balance = amount - what released applications took from them (as adjusted,
// amount and discount) - what they applied (as adjusting). Opening documents
// written before the ledger only stay within 0 and their amount. A reversal
// and the document it reversed whole are closed at zero instead.
constexpr Check kChecks[] = {
    {"balance is not amount less released applications",
     "SELECT d.CustId || ' ' || d.DocType || ' ' || d.RefNbr || ' ' || printf('%.2f', d.CuryDocBal)"
     " FROM ARDoc d WHERE d.Rlsed = 1 AND d.DocType <> 'RV' AND d.RevDocType <> 'RV'"
     " AND EXISTS (SELECT 1 FROM GLTran g WHERE g.RefNbr = d.RefNbr AND g.TranType = d.DocType"
     "   AND g.CustId = d.CustId AND g.BatNbr = d.BatNbr)"
     " AND ROUND(d.CuryOrigDocAmt - d.CuryDocBal"
     "   - COALESCE((SELECT SUM(a.CuryAdjdAmt + a.CuryAdjdDiscAmt) FROM ARAdjust a WHERE a.Rlsed = 1"
     "       AND a.CustId = d.CustId AND a.AdjdDocType = d.DocType AND a.AdjdRefNbr = d.RefNbr), 0)"
     "   - COALESCE((SELECT SUM(a.CuryAdjdAmt) FROM ARAdjust a WHERE a.Rlsed = 1"
     "       AND a.CustId = d.CustId AND a.AdjgDocType = d.DocType AND a.AdjgRefNbr = d.RefNbr), 0),"
     "   2) <> 0"},
    {"balance outside 0 to the amount",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc"
     " WHERE ROUND(CuryDocBal, 2) < 0 OR ROUND(CuryDocBal - CuryOrigDocAmt, 2) > 0"
     "  OR ROUND(CuryDiscBal, 2) < 0"},
    {"open flag disagrees with the balance",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc"
     " WHERE Rlsed = 1 AND OpenDoc <> CASE WHEN ROUND(CuryDocBal, 2) > 0 THEN 1 ELSE 0 END"},
    {"GL of a batch does not balance",
     "SELECT BatNbr || ' ' || printf('%.2f', SUM(DrAmt)) || '/' || printf('%.2f', SUM(CrAmt))"
     " FROM GLTran GROUP BY Module, BatNbr HAVING ROUND(SUM(DrAmt) - SUM(CrAmt), 2) <> 0"},
    {"GL lines of a batch not released",
     "SELECT DISTINCT g.BatNbr FROM GLTran g JOIN Batch b ON b.Module = g.Module"
     " AND b.BatNbr = g.BatNbr WHERE b.Rlsed = 0"},
    // A document posts in its own batch, and a credit again where it is applied
    // across AR accounts; anywhere else it was released twice.
    {"document released twice",
     "SELECT DISTINCT g.CustId || ' ' || g.TranType || ' ' || g.RefNbr FROM GLTran g"
     " WHERE g.TranType IN ('IN', 'DM', 'FI', 'CM')"
     "  AND NOT EXISTS (SELECT 1 FROM ARDoc d WHERE d.CustId = g.CustId"
     "   AND d.DocType = g.TranType AND d.RefNbr = g.RefNbr AND d.BatNbr = g.BatNbr)"
     "  AND NOT EXISTS (SELECT 1 FROM ARAdjust a WHERE a.AdjBatNbr = g.BatNbr"
     "   AND a.CustId = g.CustId AND a.AdjgDocType = g.TranType AND a.AdjgRefNbr = g.RefNbr)"},
    {"reversed document not closed at zero",
     "SELECT CustId || ' ' || DocType || ' ' || RefNbr FROM ARDoc"
     " WHERE (RevDocType = 'RV' OR DocType = 'RV') AND Rlsed = 1"
     "  AND (ROUND(CuryDocBal, 2) <> 0 OR OpenDoc <> 0)"},
    {"applications of a reversed document do not net to zero",
     "SELECT d.CustId || ' ' || d.DocType || ' ' || d.RefNbr FROM ARDoc d WHERE d.RevDocType = 'RV'"
     " AND ROUND(COALESCE((SELECT SUM(a.CuryAdjdAmt + a.CuryAdjdDiscAmt) FROM ARAdjust a"
     "   WHERE a.Rlsed = 1 AND a.CustId = d.CustId AND a.AdjgDocType = d.DocType"
     "   AND a.AdjgRefNbr = d.RefNbr), 0), 2) <> 0"},
    // Both ways, so a document is reversed whole by one reversal only.
    {"reversal and reversed document do not name each other",
     "SELECT r.CustId || ' RV ' || r.RefNbr FROM ARDoc r"
     " WHERE r.DocType = 'RV' AND r.Rlsed = 1 AND r.RevBatNbr = ''"
     " AND NOT EXISTS (SELECT 1 FROM ARDoc o WHERE o.CustId = r.CustId AND o.DocType = r.RevDocType"
     "   AND o.RefNbr = r.RevRefNbr AND o.RevDocType = 'RV' AND o.RevRefNbr = r.RefNbr)"
     " UNION ALL SELECT o.CustId || ' ' || o.DocType || ' ' || o.RefNbr FROM ARDoc o"
     " WHERE o.RevDocType = 'RV' AND NOT EXISTS (SELECT 1 FROM ARDoc r WHERE r.CustId = o.CustId"
     "   AND r.DocType = 'RV' AND r.RefNbr = o.RevRefNbr AND r.Rlsed = 1 AND r.RevBatNbr = ''"
     "   AND r.RevDocType = o.DocType AND r.RevRefNbr = o.RefNbr)"},
    {"released application to a document not released",
     "SELECT a.AdjBatNbr || ' ' || a.AdjdRefNbr FROM ARAdjust a WHERE a.Rlsed = 1"
     " AND NOT EXISTS (SELECT 1 FROM ARDoc d WHERE d.CustId = a.CustId"
     "   AND d.DocType = a.AdjdDocType AND d.RefNbr = a.AdjdRefNbr AND d.Rlsed = 1)"},
};

}  // namespace

std::vector<std::string> ledgerProblems(db::Database& db) {
  std::vector<std::string> problems;
  for (const auto& check : kChecks) {
    db::Statement st = query(db, check.sql);
    while (st.step()) {
      const db::Value v = st.column(0);
      const auto* text = std::get_if<std::string>(&v);
      problems.push_back(std::string(check.what) + ": " + (text ? *text : "?"));
    }
  }
  return problems;
}

}  // namespace corvena::ar
