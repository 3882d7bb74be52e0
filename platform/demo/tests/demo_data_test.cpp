#include "platform/demo/demo_data.h"

#include <gtest/gtest.h>

#include "platform/db/tests/test_database.h"
#include "platform/demo/consistency.h"

namespace corvena::demo {
namespace {

class DemoData : public ::testing::Test {
 protected:
  db::testing::ScratchDir dir;
  std::unique_ptr<db::Database> db = db::Database::create(dir.file("company.db"));
  double number(const std::string& sql) {
    db::Statement st = db->prepare(sql);
    EXPECT_TRUE(st.step());
    const db::Value v = st.column(0);
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    return -1;
  }
};

TEST_F(DemoData, DemoCompanyPassesTheConsistencyCheck) {
  fillDemo(*db);
  EXPECT_EQ(consistencyProblems(*db), std::vector<std::string>{});
}

TEST_F(DemoData, ThreeNationalAccountsOneWithAtLeastTwentyChildren) {
  fillDemo(*db);
  EXPECT_GE(number("SELECT COUNT(*) FROM XNACustP"), 3);
  EXPECT_GE(number("SELECT MAX(n) FROM (SELECT COUNT(*) n FROM XNACustS GROUP BY PrimaryCustId)"),
            20);
  EXPECT_GE(number("SELECT COUNT(*) FROM Customer WHERE CustId NOT IN (SELECT PrimaryCustId FROM "
                   "XNACustP) AND CustId NOT IN (SELECT SecondaryCustid FROM XNACustS)"),
            3);
  EXPECT_GE(number("SELECT COUNT(DISTINCT StmtCycleId) FROM Customer"), 2);
  EXPECT_GE(number("SELECT COUNT(*) FROM XNACustS s JOIN Customer c ON c.CustId = "
                   "s.SecondaryCustid WHERE c.StmtCycleId <> '01'"),
            1);
  // The customer setup screen takes a parent ID of ten characters at most.
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNACustP WHERE length(PrimaryCustId) > 10"), 0);
}

TEST_F(DemoData, AtLeastTwoHundredReleasedOpenPayablesWithDatesAndDiscounts) {
  fillDemo(*db);
  EXPECT_GE(number("SELECT COUNT(*) FROM ARDoc WHERE Rlsed = 1 AND OpenDoc = 1 AND CuryDocBal > 0 "
                   "AND DocType IN ('IN', 'DM', 'FI')"),
            200);
  for (const char* type : {"IN", "DM", "FI"})
    EXPECT_GE(number(std::string("SELECT COUNT(*) FROM ARDoc WHERE DocType = '") + type + "'"), 5)
        << type;
  EXPECT_GE(number("SELECT COUNT(*) FROM ARDoc WHERE CuryDiscBal > 0 AND DiscDate > DocDate"), 10);
  EXPECT_EQ(number("SELECT COUNT(*) FROM ARDoc WHERE DocType = 'IN' AND DueDate <= DocDate"), 0);
  EXPECT_GE(
      number("SELECT COUNT(*) FROM ARDoc WHERE CuryDocBal > 0 AND CuryDocBal < CuryOrigDocAmt"), 5);
}

TEST_F(DemoData, ParentsHoldReleasedCreditsPaymentsAndPrepayments) {
  fillDemo(*db);
  for (const char* type : {"CM", "PA", "PP"})
    EXPECT_EQ(
        number(std::string("SELECT COUNT(DISTINCT d.CustId) FROM ARDoc d JOIN XNACustP p ON "
                           "p.PrimaryCustId = d.CustId WHERE d.Rlsed = 1 AND d.CuryDocBal > 0 "
                           "AND d.DocType = '") +
               type + "'"),
        3)
        << type;
}

TEST_F(DemoData, SetupRowsForTheScreens) {
  fillDemo(*db);
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNASetup s JOIN CashAcct c ON c.BankAcct = s.vond1 AND "
                   "c.BankSub = s.vond2 JOIN Account a ON a.Acct = s.vond1"),
            1);
  EXPECT_EQ(number("SELECT COUNT(*) FROM ARSetup WHERE CurrPerNbr = '202612'"), 1);
  EXPECT_EQ(number("SELECT COUNT(*) FROM GLSetup g JOIN Company c ON c.CpnyID = g.CpnyId"), 1);
  EXPECT_EQ(number("SELECT COUNT(*) FROM ARDoc d LEFT JOIN Batch b ON b.BatNbr = d.BatNbr "
                   "WHERE b.BatNbr IS NULL"),
            0);
  EXPECT_EQ(number("SELECT COUNT(*) FROM ARDoc d LEFT JOIN ARTran t ON t.BatNbr = d.BatNbr AND "
                   "t.RefNbr = d.RefNbr WHERE t.RefNbr IS NULL"),
            0);
}

TEST_F(DemoData, FinanceChargeOptionIsAppliedToTheChildren) {
  fillDemo(*db);
  EXPECT_EQ(
      number("SELECT COUNT(*) FROM Customer c JOIN XNACustS s ON s.SecondaryCustid = c.CustId "
             "JOIN XNACustP p ON p.PrimaryCustId = s.PrimaryCustId WHERE p.FinanceChrg = 1 "
             "AND c.FinChrgCustId <> p.PrimaryCustId"),
      0);
  EXPECT_GE(number("SELECT COUNT(*) FROM Customer WHERE FinChrgCustId <> CustId"), 20);
}

TEST_F(DemoData, AClosedNationalAccountPaymentWithItsHostPayments) {
  fillDemo(*db);
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNAHeader WHERE Status = 'C' AND ARBatNbr <> '' AND "
                   "NABatNbr = '0000000001'"),
            1);
  EXPECT_EQ(number("SELECT LastNABatNbr = '0000000001' FROM XNASetup"), 1);
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNADetail WHERE NABatNbr = '0000000001' AND "
                   "LineStatus = 'C'"),
            4);
  EXPECT_NEAR(number("SELECT OrigDocAmt FROM XNAHeader"),
              number("SELECT TOTAL(CuryApplAmt) FROM XNADetail"), 0.005);
  // Each paid document is closed and its application comes from the recorded host payment.
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNADetail x JOIN ARDoc d ON d.CustId = x.CustId AND "
                   "d.DocType = x.DocType AND d.RefNbr = x.RefNbr JOIN ARAdjust a ON "
                   "a.CustId = x.CustId AND a.AdjdRefNbr = x.RefNbr AND a.AdjgRefNbr = x.ARRefNbr "
                   "AND a.Rlsed = 1 JOIN ARDoc p ON p.CustId = x.CustId AND p.RefNbr = x.ARRefNbr "
                   "AND p.DocType = 'PA' JOIN XNAHeader h ON h.ARBatNbr = p.BatNbr WHERE "
                   "d.OpenDoc = 0 AND d.CuryDocBal = 0 AND ABS(a.CuryAdjdAmt - x.CuryApplAmt) < 0.005"),
            4);
  // Paid as a release pays: the parent with the check, each child with "N" and the check.
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNADetail x JOIN XNAHeader h ON h.NABatNbr = x.NABatNbr "
                   "WHERE x.ARRefNbr = CASE WHEN x.CustId = h.CustId THEN h.RefNbr "
                   "ELSE 'N' || h.RefNbr END"),
            4);
}

TEST_F(DemoData, TheSameDataEveryTime) {
  fillDemo(*db);
  db::testing::ScratchDir other;
  auto second = db::Database::create(other.file("company.db"));
  fillDemo(*second);
  const char* sum = "SELECT TOTAL(CuryDocBal) + COUNT(*) FROM ARDoc";
  db::Statement st = second->prepare(sum);
  st.step();
  EXPECT_DOUBLE_EQ(number(sum), std::get<double>(st.column(0)));
}

TEST_F(DemoData, AFailedFillLeavesNothingOfItself) {
  fillDemo(*db);
  const double docs = number("SELECT COUNT(*) FROM ARDoc");
  EXPECT_THROW(fillDemo(*db), db::DbError);
  EXPECT_EQ(number("SELECT COUNT(*) FROM ARDoc"), docs);
  EXPECT_FALSE(db->inTransaction());
}

TEST_F(DemoData, ScaledAccountHasTheChildrenAndDocumentsAsked) {
  fillScaled(*db, 50, 400);
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNACustS WHERE PrimaryCustId = 'SCALE-PARENT'"), 50);
  db::Statement st = db->run("XNAARDoc_OpenDetails 'SCALE-PARENT'");
  int open = 0;
  while (st.step()) ++open;
  EXPECT_EQ(open, 400);
  EXPECT_EQ(consistencyProblems(*db), std::vector<std::string>{});
}

TEST_F(DemoData, ScaledAccountJoinsTheDemoCompany) {
  fillDemo(*db);
  const double companies = number("SELECT COUNT(*) FROM Company");
  fillScaled(*db, 3, 10);
  EXPECT_EQ(number("SELECT COUNT(*) FROM Company"), companies);
  EXPECT_EQ(number("SELECT COUNT(*) FROM XNACustP"), 4);
  EXPECT_EQ(consistencyProblems(*db), std::vector<std::string>{});
}

}  // namespace
}  // namespace corvena::demo
