// A customer AR takes no documents for (on hold, inactive) is refused where the
// clerk names it, as the payer or on a line paid, with the reason; taking an
// amount off its line stays possible.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

class CustomerStanding : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C2", .ref = "INV2", .balance = 300, .discBal = 6});
  }
  void standing(const std::string& customer, const std::string& status) {
    db_->exec("UPDATE Customer SET Status = '" + status + "' WHERE CustId = '" + customer + "'");
  }
};

TEST_F(CustomerStanding, AnInactivePayerIsRefusedWithTheReason) {
  standing("P1", "I");
  auto s = open();
  ASSERT_TRUE(s->newBatch());
  EXPECT_FALSE(s->set("cCustId", "P1"));
  EXPECT_EQ(lastMessage(*s).text, "Customer P1 is inactive: AR takes no documents for it.");
  EXPECT_EQ(s->lineCount(), 0u);
}

TEST_F(CustomerStanding, AChildOnHoldIsNotPaidByAnyMeans) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "50"));
  standing("C2", "H");
  EXPECT_FALSE(enter(*s, "INV2", "cCuryApplAmt", "100"));
  EXPECT_EQ(lastMessage(*s).text, "Customer C2 is on hold: AR takes no documents for it.");
  EXPECT_FALSE(enter(*s, "INV2", "cDiscAmt", "6"));
  payDocument(*s, "INV2");
  EXPECT_EQ(cell(*s, "INV2", "cCuryApplAmt"), "50.00");
  EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "0"));
  EXPECT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
  expectTotalsMatchLines(*s);
}

}  // namespace
}  // namespace corvena::payapp::testing
