// The six sort orders of the grid, and what a re-sort keeps.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Refs = std::vector<std::string>;

class SortOrder : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "C2", .type = "IN", .ref = "R3", .due = Date{2026, 4, 3}});
    addDoc({.cust = "C1", .type = "FI", .ref = "R1", .due = Date{2026, 4, 9}});
    addDoc({.cust = "P1", .type = "DM", .ref = "R4", .due = Date{2026, 4, 1}});
    addDoc({.cust = "C1", .type = "DM", .ref = "R2", .due = Date{2026, 4, 2}});
  }
  Refs sortedBy(OpenScreen& s, const std::string& option, const std::string& order) {
    EXPECT_TRUE(s.set(option, order));
    return s.column("cRefNbr");
  }
};

TEST_F(SortOrder, DefaultFromARSetupIsCustomerThenDueDate) {
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(s->app().bXHeader.SortOrder.trimmed(), "D");
  EXPECT_EQ(s->column("cRefNbr"), (Refs{"R2", "R1", "R3", "R4"}));
}

TEST_F(SortOrder, EachOptionOrdersTheLines) {
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(sortedBy(*s, "cSortOrder2", "R"), (Refs{"R1", "R2", "R3", "R4"}));
  EXPECT_EQ(sortedBy(*s, "cSortOrder3", "T"), (Refs{"R2", "R1", "R3", "R4"}));
  EXPECT_EQ(sortedBy(*s, "cSortOrder4", "A"), (Refs{"R4", "R2", "R3", "R1"}));
  EXPECT_EQ(sortedBy(*s, "cSortOrder5", "F"), (Refs{"R1", "R2", "R3", "R4"}));
  EXPECT_EQ(sortedBy(*s, "cSortOrder6", "C").front().substr(0, 1), "R");
  EXPECT_EQ(s->column("cDocType"), (Refs{"DM", "DM", "FI", "IN"}));
  EXPECT_EQ(sortedBy(*s, "cSortOrder", "D"), (Refs{"R2", "R1", "R3", "R4"}));
}

TEST_F(SortOrder, ResortKeepsLineStatesAndValues) {
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  const int loadedState = s->lineStates()[1];
  // Line 0 is R2 in the default order: give it a discount and a state of its own.
  s->within([&] {
    auto& a = s->app();
    host::LineArraySetPos(a.DetailLines, 0);
    a.bXDetail.DiscAmt = 1.5;
    host::LineArrayUpdate(a.DetailLines);
    host::LineArraySetState(a.DetailLines, host::LineUnchanged);
    return 0;
  });
  ASSERT_NE(loadedState, host::LineUnchanged);
  ASSERT_TRUE(s->set("cSortOrder5", "F"));
  const Refs refs = s->column("cRefNbr");
  ASSERT_EQ(refs, (Refs{"R1", "R2", "R3", "R4"}));
  const auto states = s->lineStates();
  const auto disc = s->column("cDiscAmt");
  EXPECT_EQ(states, (std::vector<int>{loadedState, host::LineUnchanged, loadedState, loadedState}));
  EXPECT_EQ(disc[1], "1.50");
}

}  // namespace
}  // namespace corvena::payapp::testing
