#pragma once
// QM18700, the national account statement: the aging of a national account
// store by store, oldest debt first, each store's open documents a click away;
// and the consolidated statement printed, previewed, or written as PDF and CSV,
// for one account or for every account of a statement cycle that consolidates.
// It saves nothing.

#include <string>
#include <vector>

#include "runtime/host/kelpapi.h"
#include "runtime/tables/records.h"
#include "screens/statement/statement.h"

// The selection, held by the screen only.
#define XSTMTSELECT_FIELDS(F) \
  F(TEXT, parentid, 15) F(TEXT, cycleid, 2) F(DATE, asof, 0) F(TEXT, paper, 6) F(TEXT, outfile, 250)
// A store's aging line, and the account's total as the last line.
#define XSTMTSTORE_FIELDS(F)                                                           \
  F(TEXT, custid, 15)                                                                  \
  F(TEXT, name, 30) F(INT16, oldest, 0) F(FLOAT, current, 0) F(FLOAT, days30, 0)       \
      F(FLOAT, days60, 0) F(FLOAT, days90, 0) F(FLOAT, over90, 0) F(FLOAT, credits, 0) \
          F(FLOAT, balance, 0)
// An open document of the store chosen.
#define XSTMTDOC_FIELDS(F)                                                        \
  F(TEXT, custid, 15)                                                             \
  F(TEXT, doctype, 2) F(TEXT, refnbr, 10) F(DATE, docdate, 0) F(DATE, duedate, 0) \
      F(FLOAT, original, 0) F(FLOAT, balance, 0) F(INT16, days, 0)

namespace corvena {
CORVENA_RECORD(XStmtSelect, XSTMTSELECT_FIELDS)
CORVENA_RECORD(XStmtStore, XSTMTSTORE_FIELDS)
CORVENA_RECORD(XStmtDoc, XSTMTDOC_FIELDS)
}  // namespace corvena

namespace corvena::qm18700 {

inline constexpr const char* Caption = "National Account Statement (QM.187.00)";
inline constexpr const char* AccountLine = "Account";

forms::FormDesc QM18700Form();

// What the screen keeps for its whole run. One instance per screen session;
// handlers reach it through qm18700().
struct QM18700 {
  XStmtSelect bxstmt{}, nxstmt{};
  XStmtStore bxstore{}, nxstore{};
  XStmtDoc bxdoc{}, nxdoc{};
  host::Cursor CSR_STORES, CSR_DOCS;
  host::LineArrayHandle Stores = nullptr, Docs = nullptr;
  statement::Statement Shown;  // the statement the grids show
  forms::Form* Form1 = nullptr;
};

void registerHandlers(forms::Form& Form1);
QM18700& qm18700();

// The statements the selection asks for (said why when none), read as of its date.
std::vector<statement::Statement> selectedStatements();
// Where a CSV's remittance of one account goes: beside the statement's file.
std::string remittancePath(const std::string& statementPath, const std::string& parent);
// The output buttons' handlers (qm18700_output.cpp).
void cmdPdf_Click();
void cmdCsv_Click();
void cmdPreview_Click();
void cmdPrint_Click();

}  // namespace corvena::qm18700
