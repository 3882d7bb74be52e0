#include "platform/ar/tests/ledger_fixture.h"

#include "platform/ar/ledger_sql.h"

namespace corvena::ar::testing {

LedgerTest::LedgerTest() : db_(db::Database::create(dir_.database("company.db"))) {
  db_->exec(
      "INSERT INTO ARSetup (SetupId, ArAcct, ArSub, ChkAcct, ChkSub, DiscTknAcct, DiscTknSub)"
      " VALUES ('AR', '1200', '00', '1000', '00', '4900', '00')");
}

// Whatever a test released or refused, the ledger holds.
void LedgerTest::TearDown() {
  EXPECT_EQ(ledgerProblems(*db_), std::vector<std::string>{});
}

void LedgerTest::batch(const std::string& nbr, double ctrlTot, const std::string& period) {
  execute(*db_, "INSERT INTO Batch (BatNbr, Module, CtrlTot, Status, PerPost) VALUES (?1, 'AR', ?2, 'H', ?3)",
          {nbr, ctrlTot, period});
}

void LedgerTest::document(const std::string& bat, const std::string& cust, const std::string& type,
                          const std::string& ref, double amount, double discBal) {
  execute(*db_,
          "INSERT INTO ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt,"
          " DiscBal, CuryDiscBal) VALUES (?1, ?2, ?3, ?4, ?5, ?5, ?6, ?6)",
          {bat, cust, type, ref, amount, discBal});
  execute(*db_,
          "INSERT INTO ARTran (BatNbr, RefNbr, LineNbr, CustId, TranType, Acct, Sub, TranAmt)"
          " VALUES (?1, ?2, 1, ?3, ?4, '4000', '00', ?5)",
          {bat, ref, cust, type, amount});
}

void LedgerTest::payment(const std::string& bat, const std::string& cust, const std::string& ref,
                         double amount) {
  execute(*db_,
          "INSERT INTO ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt)"
          " VALUES (?1, ?2, 'PA', ?3, ?4, ?4)",
          {bat, cust, ref, amount});
}

void LedgerTest::reversal(const std::string& bat, const std::string& cust, const std::string& ref,
                          const std::string& revType, const std::string& revRef, double amount,
                          const std::string& onlyBatch) {
  execute(*db_,
          "INSERT INTO ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt,"
          " DocDate, RevDocType, RevRefNbr, RevBatNbr) VALUES (?1, ?2, 'RV', ?3, ?4, ?4,"
          " '2026-12-20', ?5, ?6, ?7)",
          {bat, cust, ref, amount, revType, revRef, onlyBatch});
}

void LedgerTest::apply(const std::string& bat, const std::string& cust,
                       const std::string& adjgType, const std::string& adjgRef,
                       const std::string& adjdType, const std::string& adjdRef, double amount,
                       double discount) {
  execute(*db_,
          "INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjgDocType, AdjgRefNbr, AdjdDocType,"
          " AdjdRefNbr, AdjAmt, CuryAdjdAmt, AdjDiscAmt, CuryAdjdDiscAmt)"
          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?7, ?8, ?8)",
          {bat, cust, adjgType, adjgRef, adjdType, adjdRef, amount, discount});
}

std::string LedgerTest::release(const std::string& bat) {
  return releaseBatch(*db_, bat, Releaser{"CLERK", "08030", Date{2026, 12, 15}, true});
}

std::vector<std::string> LedgerTest::rows(const std::string& sql) {
  std::vector<std::string> out;
  db::Statement st = db_->prepare(sql);
  while (st.step()) out.push_back(db::rowText(st));
  return out;
}

}  // namespace corvena::ar::testing
