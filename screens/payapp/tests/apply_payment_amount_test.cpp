// Changing the payment amount: below what is applied the clerk is asked, and
// Yes zeroes every application while No keeps everything.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

constexpr const char* kQuestion =
    "You are trying to change the amount of the check to less than the amount you have "
    "applied. If you continue all applications will be zeroed out. \r\n\r\nContinue?";

class PaymentAmount : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100, .discBal = 2});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
  }

  std::unique_ptr<OpenScreen> applied() {
    auto s = openPayment("500");
    EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
    EXPECT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "98"));
    EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "300"));
    return s;
  }
};

TEST_F(PaymentAmount, RaisingItOnlyMovesTheUnappliedAmount) {
  auto s = applied();
  const std::size_t before = s->ui().messages().size();
  ASSERT_TRUE(s->set("cOrigDocAmt", "600"));
  EXPECT_EQ(s->ui().messages().size(), before);
  EXPECT_EQ(s->shown("cUnappliedAmt"), "202.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 398);
}

TEST_F(PaymentAmount, BelowTheAppliedTotalAnsweredNoKeepsTheAmountAndEveryApplication) {
  auto s = applied();
  s->ui().queueAnswer(forms::kAnswerNo);
  EXPECT_FALSE(s->set("cOrigDocAmt", "100"));
  EXPECT_EQ(lastMessage(*s).text, kQuestion);
  EXPECT_EQ(lastMessage(*s).style, 4);
  EXPECT_EQ(lastMessage(*s).caption, "System Message");
  EXPECT_DOUBLE_EQ(s->app().bXNAHeader.OrigDocAmt, 500);
  EXPECT_EQ(cell(*s, "INV1", "cCuryApplAmt"), "98.00");
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "300.00");
  EXPECT_EQ(s->shown("cUnappliedAmt"), "102.00");
  expectTotalsMatchLines(*s);
}

TEST_F(PaymentAmount, BelowTheAppliedTotalAnsweredYesZeroesEveryApplication) {
  auto s = applied();
  s->ui().queueAnswer(forms::kAnswerYes);
  ASSERT_TRUE(s->set("cOrigDocAmt", "100"));
  EXPECT_DOUBLE_EQ(s->app().bXNAHeader.OrigDocAmt, 100);
  EXPECT_EQ(s->column("cCuryApplAmt"), (std::vector<std::string>(2, "0.00")));
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 0);
  EXPECT_EQ(s->shown("cUnappliedAmt"), "100.00");
  expectTotalsMatchLines(*s);
}

TEST_F(PaymentAmount, ZeroedLinesKeepTheirDiscountAndShowTheBalanceThatFollows) {
  auto s = applied();
  s->ui().queueAnswer(forms::kAnswerYes);
  ASSERT_TRUE(s->set("cOrigDocAmt", "100"));
  EXPECT_EQ(cell(*s, "INV1", "cDiscAmt"), "2.00");
  EXPECT_EQ(cell(*s, "INV1", "cTotApply"), "2.00");
  EXPECT_EQ(cell(*s, "INV1", "cNewDocBal"), "98.00");
  EXPECT_EQ(cell(*s, "INV2", "cTotApply"), "0.00");
  EXPECT_EQ(cell(*s, "INV2", "cNewDocBal"), "300.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.DiscTotal, 2);
}

TEST_F(PaymentAmount, ZeroedApplicationsAreSavedAsNoRows) {
  auto s = applied();
  ASSERT_TRUE(s->save());
  ASSERT_EQ(rows("select RefNbr from XNADetail").size(), 2u);
  s->ui().queueAnswer(forms::kAnswerYes);
  ASSERT_TRUE(s->set("cOrigDocAmt", "100"));
  ASSERT_TRUE(s->save());
  EXPECT_TRUE(rows("select RefNbr from XNADetail").empty());
  EXPECT_EQ(value("select OrigDocAmt from XNAHeader"), "100.000000");
}

}  // namespace
}  // namespace corvena::payapp::testing
