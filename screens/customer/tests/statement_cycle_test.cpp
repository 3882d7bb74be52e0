// "Consolidate Statements Across National Accounts" stays on only when every
// child has the parent's statement cycle; otherwise the save goes on with the
// option stored cleared.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

constexpr const char* kMismatch =
    "Statement cycles do not match the parent.  Please update the child customer records and "
    "re-set the check box.";

}  // namespace

TEST_F(CustomerSetup, MismatchedStatementCycleSavesWithTheOptionCleared) {
  addCustomer("C9", "02");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->addChild("C1"));
  ASSERT_TRUE(s->addChild("C9"));
  ASSERT_TRUE(s->click("cStatement"));
  EXPECT_TRUE(s->save());
  ASSERT_EQ(s->ui().messages().size(), 1u);
  EXPECT_EQ(s->ui().messages().front().text, kMismatch);
  EXPECT_EQ(s->ui().messages().front().style, 48);
  EXPECT_EQ(s->ui().messages().front().caption, "Warning");
  EXPECT_EQ(parentRow("P1").Statement, 0);
  EXPECT_EQ(rows("select SecondaryCustid from XNACustS where PrimaryCustId = 'P1' order by 1"),
            (std::vector<std::string>{"C1", "C9"}));
  EXPECT_EQ(s->shown("cStatement"), "0");
  EXPECT_EQ(s->children(), (std::vector<std::string>{"C1", "C9"}));
}

TEST_F(CustomerSetup, MatchingStatementCyclesKeepTheOption) {
  link("P1", "C1");
  link("P1", "C2");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cStatement"));
  EXPECT_TRUE(s->save());
  EXPECT_TRUE(s->messages().empty());
  EXPECT_EQ(parentRow("P1").Statement, 1);
  EXPECT_EQ(s->shown("cStatement"), "1");
}

TEST_F(CustomerSetup, StatementCycleCompareIgnoresTrailingBlanks) {
  link("P1", "C1");
  db_->exec("update Customer set StmtCycleId = '01 ' where CustId = 'C1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cStatement"));
  EXPECT_TRUE(s->save());
  EXPECT_EQ(parentRow("P1").Statement, 1);
}

}  // namespace corvena::qm18100::testing
