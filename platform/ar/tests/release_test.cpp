// Releasing AR batches at the cent: invoices open, payments and credits lower
// what they apply to, discounts post, and a refused batch writes nothing.
#include "platform/ar/tests/ledger_fixture.h"

namespace corvena::ar::testing {
namespace {

using Rows = std::vector<std::string>;

class Release : public LedgerTest {
 protected:
  void SetUp() override {
    batch("I1", 150);
    document("I1", "C1", "IN", "INV1", 100, 2);
    document("I1", "C1", "IN", "INV2", 50);
    ASSERT_EQ(release("I1"), "");
  }
  Rows balances() {
    return rows("SELECT RefNbr, printf('%.2f|%.2f', CuryDocBal, CuryDiscBal), OpenDoc FROM ARDoc"
                " WHERE Rlsed = 1 ORDER BY RefNbr");
  }
};

TEST_F(Release, InvoicesOpenAtTheirAmountAndPostToARAndSales) {
  EXPECT_EQ(balances(), (Rows{"INV1|100.00|2.00|1", "INV2|50.00|0.00|1"}));
  EXPECT_EQ(rows("SELECT Acct, printf('%.2f|%.2f', DrAmt, CrAmt) FROM GLTran ORDER BY LineNbr"),
            (Rows{"4000|0.00|100.00", "1200|100.00|0.00", "4000|0.00|50.00", "1200|50.00|0.00"}));
  EXPECT_EQ(rows("SELECT Rlsed, Status, printf('%.2f', CrTot) FROM Batch"), Rows{"1|U|150.00"});
}

TEST_F(Release, APaymentPaysInFullWithADiscountAndInPartLeavingItsRest) {
  batch("P1", 150);
  payment("P1", "C1", "CHK1", 150);
  apply("P1", "C1", "PA", "CHK1", "IN", "INV1", 98, 2);
  apply("P1", "C1", "PA", "CHK1", "IN", "INV2", 30.01);
  ASSERT_EQ(release("P1"), "");
  EXPECT_EQ(balances(), (Rows{"CHK1|21.99|0.00|1", "INV1|0.00|0.00|0", "INV2|19.99|0.00|1"}));
  EXPECT_EQ(rows("SELECT Acct, printf('%.2f|%.2f', DrAmt, CrAmt) FROM GLTran WHERE BatNbr = 'P1'"
                 " ORDER BY LineNbr"),
            (Rows{"1000|150.00|0.00", "1200|0.00|150.00", "4900|2.00|0.00", "1200|0.00|2.00"}));
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARAdjust WHERE Rlsed = 1"), Rows{"2"});
}

TEST_F(Release, AnExistingCreditIsAppliedToADebitMemoWithoutCash) {
  batch("M1", 65);
  document("M1", "C1", "CM", "CM1", 40);
  document("M1", "C1", "DM", "DM1", 25);
  db_->exec("UPDATE ARDoc SET ArAcct = '1010' WHERE RefNbr = 'DM1'");  // a wash account
  ASSERT_EQ(release("M1"), "");
  batch("A1", 0);
  apply("A1", "C1", "CM", "CM1", "DM", "DM1", 25);
  ASSERT_EQ(release("A1"), "");
  EXPECT_EQ(rows("SELECT RefNbr, printf('%.2f', CuryDocBal), OpenDoc FROM ARDoc WHERE DocType IN ('CM', 'DM')"
                 " ORDER BY RefNbr"),
            (Rows{"CM1|15.00|1", "DM1|0.00|0"}));
  // Only what moves from AR to the wash account posts; the teardown's invariants hold.
  EXPECT_EQ(rows("SELECT TranType, RefNbr, Acct, printf('%.2f|%.2f', DrAmt, CrAmt) FROM GLTran"
                 " WHERE BatNbr = 'A1' ORDER BY LineNbr"),
            (Rows{"CM|CM1|1200|25.00|0.00", "CM|CM1|1010|0.00|25.00"}));
}

struct Refusal {
  const char* name;
  void (*enter)(LedgerTest&);
  const char* why;
};

// Each refused batch leaves the ledger as it was: no balance moved, no GL line.
TEST_F(Release, ABatchBreakingARuleIsRefusedWhole) {
  const Rows before = balances();
  const Refusal cases[] = {
      {"beyond the balance",
       [](LedgerTest& t) {
         t.payment("X", "C1", "CHK9", 160);
         t.apply("X", "C1", "PA", "CHK9", "IN", "INV2", 10);
         t.apply("X", "C1", "PA", "CHK9", "IN", "INV1", 100.01);
       },
       "Application amount plus discount cannot exceed the document balance of IN INV1 of C1 "
       "(100.00)."},
      {"beyond the payment",
       [](LedgerTest& t) {
         t.payment("X", "C1", "CHK9", 160);
         t.apply("X", "C1", "PA", "CHK9", "IN", "INV1", 100);
         t.apply("X", "C1", "PA", "CHK9", "IN", "INV2", 60.01);
       },
       ""},
      {"discount beyond its balance",
       [](LedgerTest& t) {
         t.payment("X", "C1", "CHK9", 160);
         t.apply("X", "C1", "PA", "CHK9", "IN", "INV1", 97, 3);
       },
       "Discount cannot exceed the discount balance of IN INV1 of C1."},
      {"control total", [](LedgerTest& t) { t.payment("X", "C1", "CHK9", 159.99); },
       "The control total 160.00 does not equal the batch total 159.99."},
      {"a line on the document's own AR account",
       [](LedgerTest& t) {
         t.document("X", "C1", "CM", "CM9", 160);
         t.db_->exec("UPDATE ARTran SET Acct = '1200' WHERE RefNbr = 'CM9'");
       },
       "A line of CM CM9 of C1 posts to 1200, the AR account of the document itself."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    batch("X", 160);
    c.enter(*this);
    const std::string why = release("X");
    EXPECT_FALSE(why.empty());
    if (*c.why) EXPECT_EQ(why, c.why);
    EXPECT_EQ(balances(), before);
    EXPECT_TRUE(rows("SELECT * FROM GLTran WHERE BatNbr = 'X'").empty());
    db_->exec("DELETE FROM Batch WHERE BatNbr = 'X'; DELETE FROM ARAdjust; DELETE FROM ARDoc WHERE BatNbr = 'X'");
  }
  EXPECT_EQ(release("I1"), "Batch I1 is already released.");
}

// A server passes over, without an error, a row a user's role may not change;
// a trigger that skips the row stands in for that here. The release stops whole.
TEST_F(Release, ADocumentThatDoesNotChangeStopsTheRelease) {
  const Rows before = balances();
  db_->exec(db::testing::onServer()
                ? "CREATE FUNCTION skip() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RETURN NULL; END $$;"
                  " CREATE TRIGGER skip BEFORE UPDATE ON ARDoc FOR EACH ROW"
                  " WHEN (OLD.RefNbr = 'INV1') EXECUTE FUNCTION skip()"
                : "CREATE TRIGGER skip BEFORE UPDATE ON ARDoc WHEN OLD.RefNbr = 'INV1'"
                  " BEGIN SELECT RAISE(IGNORE); END");
  batch("P1", 100);
  payment("P1", "C1", "CHK1", 100);
  apply("P1", "C1", "PA", "CHK1", "IN", "INV2", 20);
  apply("P1", "C1", "PA", "CHK1", "IN", "INV1", 80);
  EXPECT_EQ(release("P1"),
            "The release could not change the balance of IN INV1 of C1; the user may not change it.");
  EXPECT_EQ(balances(), before);
  EXPECT_EQ(rows("SELECT COUNT(*) FROM GLTran WHERE BatNbr = 'P1'"), Rows{"0"});
}

TEST_F(Release, TheInvariantsNameABalanceNoApplicationExplains) {
  db_->exec("UPDATE ARDoc SET CuryDocBal = 99.99 WHERE RefNbr = 'INV1'");
  EXPECT_EQ(ledgerProblems(*db_),
            Rows{"balance is not amount less released applications: C1 IN INV1 99.99"});
  db_->exec("UPDATE ARDoc SET CuryDocBal = 100 WHERE RefNbr = 'INV1'");
  db_->exec("UPDATE GLTran SET BatNbr = 'I2' WHERE RefNbr = 'INV2'");
  EXPECT_EQ(ledgerProblems(*db_), Rows{"document released twice: C1 IN INV2"});
  db_->exec("UPDATE GLTran SET BatNbr = 'I1' WHERE RefNbr = 'INV2'");
}

}  // namespace
}  // namespace corvena::ar::testing
