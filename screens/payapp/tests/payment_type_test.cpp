// Changing the payment type zeroes the payment and every application.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class PaymentType : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV100"});
    addDoc({.cust = "C1", .ref = "INV200"});
    addHeader("0000000001", "O", "NP", "CHK1", 500);
    addDetail("0000000001", "P1", "IN", "INV100", 60);
    addDetail("0000000001", "C1", "IN", "INV200", 40);
  }
};

TEST_F(PaymentType, SameTypeChangesNothing) {
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000001"));
  ASSERT_TRUE(s->set("cType", "NP"));
  EXPECT_DOUBLE_EQ(s->app().bXNAHeader.OrigDocAmt, 500);
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CHK1");
  EXPECT_EQ(sorted(s->column("cCuryApplAmt")), sorted({"40.00", "60.00"}));
}

TEST_F(PaymentType, OtherTypeZeroesPaymentAndApplications) {
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000001"));
  ASSERT_TRUE(s->set("cType", "CM"));
  const auto& a = s->app();
  EXPECT_DOUBLE_EQ(a.bXNAHeader.OrigDocAmt, 0);
  EXPECT_EQ(a.bXNAHeader.RefNbr.trimmed(), "");
  EXPECT_DOUBLE_EQ(a.bXHeader.ApplyTotal, 0);
  EXPECT_DOUBLE_EQ(a.bXHeader.UnAppliedAmt, 0);
  EXPECT_EQ(s->column("cCuryApplAmt"), (std::vector<std::string>{"0.00", "0.00"}));
  EXPECT_FALSE(s->enabled("cOrigDocAmt"));
  EXPECT_TRUE(s->enabled("cCMRefNbr"));
  EXPECT_NE(s->control("cCMRefNbr").property("pv").find("CM; 0; 127; 0; 0,"), std::string::npos);
}

TEST_F(PaymentType, BackToNewPaymentOpensTheAmount) {
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000001"));
  ASSERT_TRUE(s->set("cType", "PA"));
  ASSERT_TRUE(s->set("cType", "NP"));
  EXPECT_TRUE(s->enabled("cOrigDocAmt"));
  EXPECT_EQ(s->control("cCMRefNbr").property("pv"), "");
}

}  // namespace
}  // namespace corvena::payapp::testing
