// A day's books: AR per account moves as the GL does and cash as the checks
// received, through invoices, payments with discounts and credits across AR
// accounts; a balance changed behind the ledger's back, or cash posted without
// a check, is named.
#include "platform/ar/books.h"
#include "platform/ar/tests/ledger_fixture.h"

namespace corvena::ar::testing {
namespace {

using Rows = std::vector<std::string>;

class Books : public LedgerTest {
 protected:
  void SetUp() override {
    // An opening balance the ledger never released: the day starts from it.
    db_->exec("INSERT INTO ARDoc (CustId, DocType, RefNbr, CuryOrigDocAmt, OrigDocAmt, CuryDocBal,"
              " DocBal, Rlsed, OpenDoc) VALUES ('C1', 'IN', 'OPEN1', 70, 70, 70, 70, 1, 1)");
    start_ = readBooks(*db_);
    batch("I1", 170);
    document("I1", "C1", "IN", "INV1", 100, 2);
    document("I1", "C1", "CM", "CM1", 50);
    document("I1", "C1", "DM", "DM1", 20);
    db_->exec("UPDATE ARDoc SET ArAcct = '1010' WHERE RefNbr = 'DM1'");
    ASSERT_EQ(release("I1"), "");
    batch("P1", 90);
    payment("P1", "C1", "CHK1", 90);
    apply("P1", "C1", "PA", "CHK1", "IN", "INV1", 58, 2);
    apply("P1", "C1", "PA", "CHK1", "IN", "OPEN1", 32);
    apply("P1", "C1", "CM", "CM1", "DM", "DM1", 20);
    ASSERT_EQ(release("P1"), "");
  }
  ar::Books start_;
};

TEST_F(Books, ADayOfInvoicesPaymentsAndCreditsReconciles) {
  EXPECT_EQ(booksDisagree(start_, readBooks(*db_)), Rows{});
  EXPECT_EQ(readBooks(*db_).checksReceived - start_.checksReceived, 90);
}

TEST_F(Books, WhatMovedOutsideTheLedgerIsNamed) {
  db_->exec("UPDATE ARDoc SET CuryDocBal = CuryDocBal - 10 WHERE RefNbr = 'INV1';"
            "INSERT INTO GLTran (Module, BatNbr, LineNbr, Acct, DrAmt) VALUES ('AR', 'X', 1, '1000', 5);"
            "INSERT INTO GLTran (Module, BatNbr, LineNbr, Acct, CrAmt) VALUES ('AR', 'X', 2, '4000', 5)");
  EXPECT_EQ(booksDisagree(start_, readBooks(*db_)),
            (Rows{"AR account 1200 moved -32.00, the GL -22.00", "cash 1000 moved 95.00, checks received 90.00"}));
  db_->exec("DELETE FROM GLTran WHERE BatNbr = 'X'; UPDATE ARDoc SET CuryDocBal = CuryDocBal + 10"
            " WHERE RefNbr = 'INV1'");
}

}  // namespace
}  // namespace corvena::ar::testing
