// The apply amount typed on a line: within what the payment has left, within
// the document's balance net of its discount, and the totals following.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

constexpr const char* kOverPayment = "Sum of applied amounts must not exceed the document balance.";

class ApplyAmount : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 600});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 500});
    addDoc({.cust = "C2", .type = "DM", .ref = "DM3", .balance = 100, .discBal = 2});
  }

  // Payment 1000 with 900 applied, 300 of it on INV2.
  std::unique_ptr<OpenScreen> nineHundredApplied() {
    auto s = openPayment("1000");
    EXPECT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "600"));
    EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "300"));
    return s;
  }
};

TEST_F(ApplyAmount, UpToWhatThePaymentHasLeftPlusTheLinesOwnAmountPasses) {
  auto s = nineHundredApplied();
  EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "400"));
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "400.00");
  EXPECT_EQ(cell(*s, "INV2", "cTotApply"), "400.00");
  EXPECT_EQ(cell(*s, "INV2", "cNewDocBal"), "100.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 1000);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 0);
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyAmount, OneCentOverWhatThePaymentHasLeftIsRefused) {
  auto s = nineHundredApplied();
  EXPECT_FALSE(enter(*s, "INV2", "cCuryApplAmt", "400.01"));
  EXPECT_EQ(lastMessage(*s).text, kOverPayment);
  EXPECT_EQ(lastMessage(*s).caption, "Warning");
  EXPECT_EQ(lastMessage(*s).style, 48);
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "300.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 900);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 100);
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyAmount, BalanceNetOfDiscountPassesAndOneCentMoreIsRefusedWithMessage217) {
  auto s = openPayment("1000");
  ASSERT_TRUE(enter(*s, "DM3", "cDiscAmt", "2"));
  EXPECT_TRUE(enter(*s, "DM3", "cCuryApplAmt", "98"));
  EXPECT_EQ(cell(*s, "DM3", "cTotApply"), "100.00");
  EXPECT_EQ(cell(*s, "DM3", "cNewDocBal"), "0.00");
  EXPECT_FALSE(enter(*s, "DM3", "cCuryApplAmt", "98.01"));
  EXPECT_EQ(lastMessage(*s).text, hostMessage(217));
  EXPECT_EQ(cell(*s, "DM3", "cCuryApplAmt"), "98.00");
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyAmount, MoreThanTheBalanceIsRefusedEvenWhenThePaymentWouldCoverIt) {
  auto s = openPayment("1000");
  EXPECT_FALSE(enter(*s, "INV2", "cCuryApplAmt", "500.01"));
  EXPECT_EQ(lastMessage(*s).text, hostMessage(217));
  EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "500"));
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyAmount, ChecksComeInOrderSoOverThePaymentIsReportedFirst) {
  auto s = openPayment("50");
  EXPECT_FALSE(enter(*s, "DM3", "cCuryApplAmt", "150"));
  EXPECT_EQ(lastMessage(*s).text, kOverPayment);
}

TEST_F(ApplyAmount, LoweringALineGivesThePaymentBack) {
  auto s = nineHundredApplied();
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100.25"));
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 400.25);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 599.75);
  EXPECT_EQ(s->shown("cUnappliedAmt"), "599.75");
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyAmount, ANegativeAmountIsRefused) {
  auto s = openPayment("1000");
  EXPECT_FALSE(enter(*s, "INV1", "cCuryApplAmt", "-5"));
  EXPECT_EQ(cell(*s, "INV1", "cCuryApplAmt"), "0.00");
  expectTotalsMatchLines(*s);
}

}  // namespace
}  // namespace corvena::payapp::testing
