// Reversing a released payment at the cent: what it applied and posted is taken
// back in the reversal's own batch and period; the payment's batch and period
// stay as they were, and nothing is reversed twice.
#include "platform/ar/tests/ledger_fixture.h"

namespace corvena::ar::testing {
namespace {

using Rows = std::vector<std::string>;

class Reversal : public LedgerTest {
 protected:
  void SetUp() override {
    batch("I1", 230);
    document("I1", "C1", "IN", "INV1", 100, 2);
    document("I1", "C1", "IN", "INV2", 50);
    document("I1", "C1", "IN", "INV3", 80, 1.5);
    ASSERT_EQ(release("I1"), "");
    invoices_ = invoices();
    books_ = glByAccount();
    batch("P1", 250);
    payment("P1", "C1", "CHK1", 250);
    apply("P1", "C1", "PA", "CHK1", "IN", "INV1", 98, 2);
    apply("P1", "C1", "PA", "CHK1", "IN", "INV2", 50);
    apply("P1", "C1", "PA", "CHK1", "IN", "INV3", 60.25, 1.5);
    db_->exec("UPDATE ARDoc SET DocDate = '2026-12-10' WHERE RefNbr = 'CHK1'");
    ASSERT_EQ(release("P1"), "");
    december_ = glOfPeriod("202612");
  }
  Rows invoices() {
    return rows("SELECT RefNbr, printf('%.2f|%.2f', CuryDocBal, CuryDiscBal), OpenDoc FROM ARDoc"
                " WHERE DocType = 'IN' ORDER BY RefNbr");
  }
  Rows glByAccount() {
    return rows("SELECT Acct, printf('%.2f', SUM(DrAmt - CrAmt)) FROM GLTran GROUP BY Acct"
                " HAVING ROUND(SUM(DrAmt - CrAmt), 2) <> 0 ORDER BY Acct");
  }
  Rows glOfPeriod(const std::string& period) {
    return rows("SELECT BatNbr, LineNbr, Acct, printf('%.2f|%.2f', DrAmt, CrAmt), TranType, RefNbr"
                " FROM GLTran WHERE PerPost = '" + period + "' ORDER BY BatNbr, LineNbr");
  }
  std::string reverse(const std::string& bat, const std::string& ref, double amount = 250,
                      const std::string& period = "202701") {
    batch(bat, amount, period);
    reversal(bat, "C1", ref, "PA", "CHK1", amount);
    return release(bat);
  }
  Rows invoices_, books_, december_;
};

TEST_F(Reversal, APaymentOverThreeInvoicesWithDiscountsIsTakenBackWhole) {
  ASSERT_EQ(reverse("R1", "REV1"), "");
  EXPECT_EQ(invoices(), invoices_);
  EXPECT_EQ(glByAccount(), books_);
  EXPECT_EQ(glOfPeriod("202612"), december_);
  EXPECT_EQ(rows("SELECT Acct, printf('%.2f|%.2f', DrAmt, CrAmt), TranType, RefNbr FROM GLTran"
                 " WHERE BatNbr = 'R1' AND PerPost = '202701' ORDER BY LineNbr"),
            (Rows{"1000|0.00|250.00|RV|REV1", "1200|250.00|0.00|RV|REV1", "4900|0.00|2.00|RV|REV1",
                  "1200|2.00|0.00|RV|REV1", "4900|0.00|1.50|RV|REV1", "1200|1.50|0.00|RV|REV1"}));
  EXPECT_EQ(rows("SELECT AdjdRefNbr, AdjgRefNbr, printf('%.2f|%.2f', CuryAdjdAmt, CuryAdjdDiscAmt),"
                 " PerAppl, Rlsed FROM ARAdjust WHERE AdjBatNbr = 'R1' ORDER BY AdjdRefNbr"),
            (Rows{"INV1|CHK1|-98.00|-2.00|202701|1", "INV2|CHK1|-50.00|0.00|202701|1",
                  "INV3|CHK1|-60.25|-1.50|202701|1"}));
  // The payment and its reversal name each other; both are closed at zero.
  EXPECT_EQ(rows("SELECT DocType, RefNbr, printf('%.2f', CuryDocBal), OpenDoc, Rlsed, RevDocType,"
                 " RevRefNbr FROM ARDoc WHERE DocType IN ('PA', 'RV') ORDER BY DocType"),
            (Rows{"PA|CHK1|0.00|0|1|RV|REV1", "RV|REV1|0.00|0|1|PA|CHK1"}));
}

TEST_F(Reversal, AReversedPaymentIsNeitherReversedNorAppliedAgain) {
  ASSERT_EQ(reverse("R1", "REV1"), "");
  EXPECT_EQ(reverse("R2", "REV2"), "PA CHK1 of C1 is already reversed by RV REV1.");
  batch("P2", 0);
  apply("P2", "C1", "PA", "CHK1", "IN", "INV2", 10);
  EXPECT_EQ(release("P2"), "PA CHK1 of C1 has 0.00 left to apply.");
  EXPECT_EQ(invoices(), invoices_);
}

// Each refused reversal leaves every balance and GL line as the payment left them.
TEST_F(Reversal, AReversalBreakingARuleIsRefusedWhole) {
  const Rows paid = invoices();
  struct Case {
    const char* name;
    const char* setup;
    double amount;
    const char* period;
    const char* why;
  } cases[] = {
      {"dated before the payment", "UPDATE ARDoc SET DocDate = '2026-12-09' WHERE RefNbr = 'REV9'",
       250, "202701", "RV REV9 of C1 is dated before PA CHK1 of C1 (2026-12-10)."},
      {"in a closed period", "UPDATE ARSetup SET CurrPerNbr = '202701'", 250, "202612",
       "Period 202612 is closed: RV REV9 of C1 must post in an open period."},
      {"for another amount", "", 208.25, "202701",
       "RV REV9 of C1 is for 208.25; what it reverses comes to 250.00."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    batch("X", c.amount, c.period);
    reversal("X", "C1", "REV9", "PA", "CHK1", c.amount);
    if (*c.setup) db_->exec(c.setup);
    EXPECT_EQ(release("X"), c.why);
    EXPECT_EQ(invoices(), paid);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM GLTran WHERE BatNbr = 'X'"), Rows{"0"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM ARAdjust WHERE AdjBatNbr = 'X'"), Rows{"0"});
    db_->exec("DELETE FROM Batch WHERE BatNbr = 'X'; DELETE FROM ARDoc WHERE BatNbr = 'X';"
              " UPDATE ARSetup SET CurrPerNbr = ''");
  }
  EXPECT_EQ(rows("SELECT printf('%.2f', CuryDocBal), RevDocType FROM ARDoc WHERE RefNbr = 'CHK1'"),
            Rows{"41.75|"});
}

// A credit applied to a debit memo in a batch: only that application comes back.
TEST_F(Reversal, ACreditsApplicationInOneBatchIsTakenBackAndTheCreditStands) {
  batch("M1", 65);
  document("M1", "C1", "CM", "CM1", 40);
  document("M1", "C1", "DM", "DM1", 25);
  ASSERT_EQ(release("M1"), "");
  batch("A1", 0);
  apply("A1", "C1", "CM", "CM1", "DM", "DM1", 25);
  ASSERT_EQ(release("A1"), "");
  batch("R1", 25, "202701");
  reversal("R1", "C1", "REV1", "CM", "CM1", 25, "A1");
  ASSERT_EQ(release("R1"), "");
  EXPECT_EQ(rows("SELECT RefNbr, printf('%.2f', CuryDocBal), OpenDoc, RevDocType FROM ARDoc"
                 " WHERE DocType IN ('CM', 'DM') ORDER BY RefNbr"),
            (Rows{"CM1|40.00|1|", "DM1|25.00|1|"}));
  batch("R2", 25, "202701");
  reversal("R2", "C1", "REV2", "CM", "CM1", 25, "A1");
  EXPECT_EQ(release("R2"), "What CM CM1 of C1 applied in batch A1 is already reversed.");
}

TEST_F(Reversal, TheInvariantsNameAReversalTheReversedDocumentDoesNotName) {
  ASSERT_EQ(reverse("R1", "REV1"), "");
  db_->exec("UPDATE ARDoc SET RevRefNbr = 'REV0' WHERE RefNbr = 'CHK1'");
  EXPECT_EQ(ledgerProblems(*db_), (Rows{"reversal and reversed document do not name each other: C1 RV REV1",
                                        "reversal and reversed document do not name each other: C1 PA CHK1"}));
  db_->exec("UPDATE ARDoc SET RevRefNbr = 'REV1' WHERE RefNbr = 'CHK1'");
}

}  // namespace
}  // namespace corvena::ar::testing
