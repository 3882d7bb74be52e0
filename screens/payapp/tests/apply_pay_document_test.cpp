// "Pay Document": the current line paid in full, net of its discount, as far
// as the payment reaches; nothing at all when there is nothing to pay, and the
// clerk is told why.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

class PayDocument : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100, .discBal = 2});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addDoc({.cust = "C2", .type = "FI", .ref = "FI3", .balance = 250});
  }
};

TEST_F(PayDocument, PaysTheBalanceNetOfTheDiscountAlreadyTyped) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
  payDocument(*s, "INV1");
  EXPECT_EQ(cell(*s, "INV1", "cCuryApplAmt"), "98.00");
  EXPECT_EQ(cell(*s, "INV1", "cTotApply"), "100.00");
  EXPECT_EQ(cell(*s, "INV1", "cNewDocBal"), "0.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 98);
  EXPECT_EQ(s->shown("cUnappliedAmt"), "402.00");
  expectTotalsMatchLines(*s);
}

TEST_F(PayDocument, WithLittleLeftPaysTheRestOnTopOfTheLinesOwnAmount) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "200"));
  ASSERT_TRUE(enter(*s, "FI3", "cCuryApplAmt", "250"));
  payDocument(*s, "INV2");
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "250.00");
  EXPECT_EQ(cell(*s, "INV2", "cNewDocBal"), "50.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 500);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 0);
  expectTotalsMatchLines(*s);
}

TEST_F(PayDocument, PressedLineByLinePaysDocumentsUntilThePaymentIsUsedUp) {
  auto s = openPayment("500");
  for (const char* ref : {"INV1", "INV2", "FI3"}) payDocument(*s, ref);
  EXPECT_EQ(cell(*s, "INV1", "cCuryApplAmt"), "100.00");
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "300.00");
  EXPECT_EQ(cell(*s, "FI3", "cCuryApplAmt"), "100.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 0);
  expectTotalsMatchLines(*s);
}

TEST_F(PayDocument, WithNothingLeftChangesNothingAndSaysWhy) {
  auto s = openPayment("300");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "300"));
  payDocument(*s, "FI3");
  EXPECT_EQ(cell(*s, "FI3", "cCuryApplAmt"), "0.00");
  EXPECT_EQ(s->messages().back(), "The payment is applied in full: nothing is left to pay with.");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 300);
  expectTotalsMatchLines(*s);
}

TEST_F(PayDocument, CentsPaidOneByOneAddUpExactlySoThePaymentCanBeLoweredToThem) {
  addDoc({.cust = "C1", .type = "FI", .ref = "FI10", .balance = 0.1});
  addDoc({.cust = "C1", .type = "FI", .ref = "FI20", .balance = 0.2});
  auto s = openPayment("500");
  payDocument(*s, "FI10");
  payDocument(*s, "FI20");
  const std::size_t before = s->ui().messages().size();
  EXPECT_TRUE(s->set("cOrigDocAmt", "0.3"));
  EXPECT_EQ(s->ui().messages().size(), before);
  EXPECT_EQ(s->shown("cUnappliedAmt"), "0.00");
  expectTotalsMatchLines(*s);
}

// The grid lists only documents with a balance; one paid down to nothing or
// below by another screen since the list was read is still shown.
TEST_F(PayDocument, OnAZeroOrNegativeBalanceChangesNothingAndSaysWhy) {
  auto s = openPayment("500");
  for (double balance : {0.0, -5.0}) {
    pick(*s, "INV2");
    s->within([&] {
      auto& a = payapp();
      a.bXDetail.CuryDocBal = balance;
      host::LineArrayUpdate(a.DetailLines);
      return 0;
    });
    payDocument(*s, "INV2");
    EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "0.00");
    EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 0);
  }
  EXPECT_EQ(s->messages(), std::vector<std::string>(2, "Document INV2 has no balance left to pay."));
}

TEST_F(PayDocument, OnAClosedBatchChangesNothing) {
  addHeader("0000000009", "C", "NP", "CHK9", 500);
  addDetail("0000000009", "C1", "IN", "INV2", 100);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000009"));
  const auto levelChange = [&] { return s->within([] { return host::LevelChangeGet(1); }); };
  const int before = levelChange();
  payDocument(*s, "INV2");
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "100.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 100);
  EXPECT_EQ(levelChange(), before);
}

TEST_F(PayDocument, MarksTheDetailChangedSoASaveWritesIt) {
  auto s = openPayment("500");
  ASSERT_TRUE(s->save());
  payDocument(*s, "INV2");
  EXPECT_EQ(s->within([] { return host::LevelChangeGet(1); }), host::LineUpdated);
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select RefNbr, CuryApplAmt from XNADetail"),
            std::vector<std::string>{"INV2|300.000000"});
}

}  // namespace
}  // namespace corvena::payapp::testing
