// A payment reference typed by the clerk that AR or another batch already uses.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

constexpr int kDuplicate = 3007;

class DuplicateReference : public PayAppTest {
 protected:
  std::unique_ptr<OpenScreen> newBatchFor(const std::string& cust) {
    auto s = open();
    EXPECT_TRUE(s->newBatch());
    EXPECT_TRUE(s->set("cCustId", cust));
    return s;
  }
};

TEST_F(DuplicateReference, UsedByAnARPaymentOfTheCustomerWarnsAndAccepts) {
  addDoc({.cust = "P1", .type = "PA", .ref = "CHK55", .balance = 0});
  auto s = newBatchFor("P1");
  EXPECT_TRUE(s->set("cNARefNbr", "CHK55"));
  ASSERT_FALSE(s->messages().empty());
  EXPECT_EQ(s->messages().back(), hostMessage(kDuplicate));
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CHK55");
}

TEST_F(DuplicateReference, UsedByAnotherBatchOfTheCustomerIsRefused) {
  addHeader("0000000011", "O", "NP", "CHK66");
  auto s = newBatchFor("P1");
  EXPECT_FALSE(s->set("cNARefNbr", "CHK66"));
  ASSERT_FALSE(s->messages().empty());
  EXPECT_EQ(s->messages().back(), hostMessage(kDuplicate));
  EXPECT_NE(s->app().bXNAHeader.RefNbr.trimmed(), "CHK66");
}

TEST_F(DuplicateReference, AnotherCustomersUseIsNoDuplicate) {
  addDoc({.cust = "X9", .type = "PA", .ref = "CHK77", .balance = 0});
  addHeader("0000000012", "O", "NP", "CHK77", 10, "X9");
  auto s = newBatchFor("P1");
  EXPECT_TRUE(s->set("cNARefNbr", "CHK77"));
  EXPECT_TRUE(s->messages().empty());
}

TEST_F(DuplicateReference, BatchKeepsItsOwnReference) {
  addHeader("0000000013", "O", "NP", "CHK88");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000013"));
  ASSERT_TRUE(s->set("cNARefNbr", "CHK89"));
  EXPECT_TRUE(s->set("cNARefNbr", "CHK88"));
  EXPECT_TRUE(s->messages().empty());
}

// The field is closed for other statuses; the check itself also lets them pass.
TEST_F(DuplicateReference, OnlyAnOpenBatchIsChecked) {
  addHeader("0000000014", "O", "NP", "CHK90");
  addHeader("0000000015", "P", "NP", "CHK91");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000015"));
  std::string text = "CHK90";
  EXPECT_EQ(s->within([&] { return s->control("cNARefNbr").handlers().valueCheck(text); }), 0);
  EXPECT_TRUE(s->messages().empty());
}

}  // namespace
}  // namespace corvena::payapp::testing
