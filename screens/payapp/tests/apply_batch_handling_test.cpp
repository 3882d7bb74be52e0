// Batch handling: a payment of no value cannot be released now.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using BatchHandling = ApplyTest;

TEST_F(BatchHandling, ReleaseNowWithAZeroPaymentIsRefused) {
  auto s = openPayment("0");
  EXPECT_FALSE(s->set("cBatchHandling", "R"));
  EXPECT_EQ(lastMessage(*s).text, "Cannot release a document with no value.");
  EXPECT_EQ(lastMessage(*s).caption, "Warning");
  EXPECT_EQ(lastMessage(*s).style, 48);
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "H");
}

TEST_F(BatchHandling, ReleaseNowWithAnyAmountIsAccepted) {
  auto s = openPayment("0.01");
  EXPECT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "R");
}

TEST_F(BatchHandling, HoldAndNoActionNeedNoAmount) {
  auto s = openPayment("0");
  EXPECT_TRUE(s->set("cBatchHandling", "N"));
  EXPECT_TRUE(s->set("cBatchHandling", "H"));
  EXPECT_TRUE(s->ui().messages().empty());
}

}  // namespace
}  // namespace corvena::payapp::testing
