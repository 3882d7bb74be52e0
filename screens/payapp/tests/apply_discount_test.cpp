// The cash discount typed on a line: within the discount still available and,
// with the apply amount, within the document's balance; a late one is warned of.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

class ApplyDiscount : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    // Discount date 2026-02-11 (the fixture's), payment date the business date 2026-03-02.
    addDoc({.cust = "C1", .ref = "INV1", .balance = 100, .discBal = 2});
  }
};

TEST_F(ApplyDiscount, WithinTheDiscountBalancePassesAndTheLineFollows) {
  auto s = openPayment("1000");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "50"));
  ASSERT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
  EXPECT_EQ(cell(*s, "INV1", "cTotApply"), "52.00");
  EXPECT_EQ(cell(*s, "INV1", "cNewDocBal"), "48.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.DiscTotal, 2);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.UnAppliedAmt, 950);
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyDiscount, OverTheDiscountBalanceIsRefusedWithMessage15NamingIt) {
  auto s = openPayment("1000");
  EXPECT_FALSE(enter(*s, "INV1", "cDiscAmt", "2.01"));
  EXPECT_EQ(lastMessage(*s).text, forms::formatMessage(15, {"2.00"}));
  EXPECT_EQ(cell(*s, "INV1", "cDiscAmt"), "0.00");
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyDiscount, DiscountWithTheApplyAmountOverTheBalanceIsRefusedWithMessage217) {
  auto s = openPayment("1000");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "99"));
  EXPECT_FALSE(enter(*s, "INV1", "cDiscAmt", "1.01"));
  EXPECT_EQ(lastMessage(*s).text, hostMessage(217));
  EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "1"));
  EXPECT_EQ(cell(*s, "INV1", "cNewDocBal"), "0.00");
  expectTotalsMatchLines(*s);
}

TEST_F(ApplyDiscount, PaymentAfterTheDiscountDateWarnsButKeepsTheDiscount) {
  auto s = openPayment("1000");
  EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
  EXPECT_EQ(lastMessage(*s).text, hostMessage(12338));
  EXPECT_EQ(cell(*s, "INV1", "cDiscAmt"), "2.00");
}

TEST_F(ApplyDiscount, PaymentWithinTheDiscountPeriodIsNotWarned) {
  auto s = openPayment("1000");
  ASSERT_TRUE(s->set("cDocDate", "2026-02-05"));
  const std::size_t before = s->ui().messages().size();
  EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
  EXPECT_EQ(s->ui().messages().size(), before);
}

TEST_F(ApplyDiscount, RemovingADiscountIsNotWarned) {
  auto s = openPayment("1000");
  ASSERT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
  const std::size_t before = s->ui().messages().size();
  EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "0"));
  EXPECT_EQ(s->ui().messages().size(), before);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.DiscTotal, 0);
}

}  // namespace
}  // namespace corvena::payapp::testing
