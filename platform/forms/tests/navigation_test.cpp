// First, previous, next and last through the key's navigation procedure.
#include "platform/forms/messages.h"
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

class NavigationTest : public OrderScreenTest {
 protected:
  void SetUp() override {
    addOrder("0000000010", "ACME", 1);
    addOrder("0000000020", "BOLT", 2);
    addOrder("0000000030", "CRANE", 3);
    addLine("0000000020", "X", 5);
    addLine("0000000020", "Y", 6);
  }
  std::string at() { return s().order.OrderNbr.trimmed(); }
  bool go(Navigation how) { return s().session.updates().navigate(0, how); }
};

TEST_F(NavigationTest, WalksTheRowsInTheProcedureOrder) {
  ASSERT_TRUE(go(Navigation::First));
  EXPECT_EQ(at(), "0000000010");
  EXPECT_EQ(s().show("cCustId"), "ACME");
  ASSERT_TRUE(go(Navigation::Next));
  EXPECT_EQ(at(), "0000000020");
  ASSERT_TRUE(go(Navigation::Last));
  EXPECT_EQ(at(), "0000000030");
  ASSERT_TRUE(go(Navigation::Previous));
  EXPECT_EQ(at(), "0000000020");
}

TEST_F(NavigationTest, StopsAtEitherEnd) {
  ASSERT_TRUE(go(Navigation::Last));
  EXPECT_FALSE(go(Navigation::Next));
  EXPECT_EQ(at(), "0000000030");
  ASSERT_TRUE(go(Navigation::First));
  EXPECT_FALSE(go(Navigation::Previous));
  EXPECT_EQ(at(), "0000000010");
}

TEST_F(NavigationTest, LoadsTheLinesOfTheRecordReached) {
  ASSERT_TRUE(go(Navigation::First));
  EXPECT_EQ(s().lines->size(), 0u);
  ASSERT_TRUE(go(Navigation::Next));
  ASSERT_EQ(s().lines->size(), 2u);
  EXPECT_EQ(s().session.grids().cellText(s().c("Grid1"), 1, s().c("cLineRef")), "Y");
  EXPECT_EQ(s().show("cTotal"), "11.00");
}

TEST_F(NavigationTest, ARecordReachedCanBeSavedWithoutConflict) {
  ASSERT_TRUE(go(Navigation::Next));
  ASSERT_TRUE(s().set("cAmount", "9"));
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT Amount FROM TOrder WHERE OrderNbr = '0000000010'"), "9.000000");
}

TEST_F(NavigationTest, GridLevelMovesBetweenLines) {
  ASSERT_TRUE(go(Navigation::Last));
  ASSERT_TRUE(go(Navigation::Previous));
  ASSERT_TRUE(s().session.updates().navigate(1, Navigation::Last));
  EXPECT_EQ(s().line.LineRef.trimmed(), "Y");
  ASSERT_TRUE(s().session.updates().navigate(1, Navigation::Previous));
  EXPECT_EQ(s().line.LineRef.trimmed(), "X");
  EXPECT_FALSE(s().session.updates().navigate(1, Navigation::Previous));
}

}  // namespace
}  // namespace corvena::forms::testing
