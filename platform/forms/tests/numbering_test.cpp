// Automatic numbering of new records at save, also with two clerks at once.
#include <set>
#include <thread>

#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

using NumberingTest = OrderScreenTest;

void numberFrom(OrderScreen& screen) {
  screen.session.updates().setAutoNumber(screen.c("cOrderNbr"), "OrderNbr",
                                         {&screen.c("cLineOrder")});
}

TEST_F(NumberingTest, NewRecordWithBlankKeyGetsTheNextNumberAndItsLinesToo) {
  numberFrom(s());
  ASSERT_TRUE(s().session.updates().newRecord(0));
  ASSERT_TRUE(s().set("cCustId", "ACME"));
  ASSERT_TRUE(s().session.grids().startNewLine(s().c("Grid1")));
  ASSERT_TRUE(s().set("cLineRef", "A"));
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(s().show("cOrderNbr"), "0000000101");
  EXPECT_EQ(query("SELECT OrderNbr FROM TOrder"), "0000000101");
  EXPECT_EQ(query("SELECT OrderNbr FROM TLine"), "0000000101");
}

TEST_F(NumberingTest, RefusedSaveGivesTheNumberBack) {
  numberFrom(s());
  ASSERT_TRUE(s().session.updates().newRecord(0));
  ASSERT_TRUE(s().set("cCustId", "ACME"));
  s().c("Update1").onSaveLevel([](int level) { return level == 32000 ? kSilentRefusal : 0; });
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_TRUE(s().order.OrderNbr.blank());
  EXPECT_EQ(query("SELECT LastNbr FROM TNumber"), "100");
}

TEST_F(NumberingTest, TypedKeyIsKept) {
  numberFrom(s());
  ASSERT_TRUE(s().set("cOrderNbr", "55"));
  ASSERT_TRUE(s().set("cCustId", "BOLT"));
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT OrderNbr FROM TOrder"), "55");
  EXPECT_EQ(query("SELECT LastNbr FROM TNumber"), "100");
}

TEST_F(NumberingTest, TwoClerksSavingAtOnceNeverShareANumber) {
  constexpr int kEach = 15;
  std::vector<std::string> got[2];
  auto clerk = [&](int who) {
    OrderScreen screen(dbPath());
    SessionScope scope(screen.session);
    numberFrom(screen);
    for (int i = 0; i < kEach; ++i) {
      screen.session.updates().newRecord(0);
      screen.set("cCustId", who ? "BOLT" : "ACME");
      if (screen.session.updates().save()) got[who].push_back(screen.order.OrderNbr.trimmed());
    }
  };
  std::thread a(clerk, 0), b(clerk, 1);
  a.join();
  b.join();
  std::set<std::string> all(got[0].begin(), got[0].end());
  all.insert(got[1].begin(), got[1].end());
  EXPECT_EQ(got[0].size(), static_cast<std::size_t>(kEach));
  EXPECT_EQ(got[1].size(), static_cast<std::size_t>(kEach));
  EXPECT_EQ(all.size(), static_cast<std::size_t>(2 * kEach));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), std::to_string(2 * kEach));
}

}  // namespace
}  // namespace corvena::forms::testing
