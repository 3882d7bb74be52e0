// A customer is the child of at most one parent and never a parent itself,
// whatever one clerk types or two clerks save at once; finance charges follow
// each link and unlink.
#include "platform/forms/messages.h"
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

constexpr const char* kIsAParent =
    "This customer is a National Account parent and cannot be a child customer.";

}  // namespace

TEST_F(CustomerSetup, AParentIsRefusedAsAChildEvenWithoutChildrenYet) {
  db_->exec("insert into XNACustP (PrimaryCustId) values ('C3')");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  for (const char* parent : {"P2", "C3"}) {
    EXPECT_FALSE(s->addChild(parent)) << parent;
    EXPECT_EQ(s->messages().back(), kIsAParent);
  }
  EXPECT_TRUE(s->children().empty());
}

TEST_F(CustomerSetup, AChildLineNeedsAParentFirst) {
  auto s = open();
  EXPECT_FALSE(s->addChild("C1"));
  EXPECT_EQ(s->messages().back(), "Enter the parent customer before its child customers.");
  EXPECT_FALSE(s->save());
  EXPECT_EQ(rows("select * from XNACustS where SecondaryCustid = 'C1'").size(), 0u);
  EXPECT_THROW(db_->exec("insert into XNACustS (PrimaryCustId, SecondaryCustid) values ('', 'C1')"),
               db::DbError);
}

// What the screen checked on entry no longer holds when another clerk saves
// first: the database refuses, the message says why, nothing is written.
TEST_F(CustomerSetup, AnotherClerksLinkSavedFirstRefusesTheSave) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->addChild("C1"));
  ASSERT_TRUE(s->addChild("C2"));
  link("C1", "C3");  // meanwhile C1 came to head a national account
  EXPECT_FALSE(s->save());
  EXPECT_NE(s->messages().back().find("cannot be linked"), std::string::npos);
  EXPECT_TRUE(rows("select * from XNACustP where PrimaryCustId = 'P1'").empty());
  ASSERT_TRUE(s->session().grids().selectLine(s->grid(), 0));
  ASSERT_TRUE(s->session().grids().deleteLine(s->grid()));
  link("P2", "C2");  // and C2 joined another one
  EXPECT_FALSE(s->save());
  EXPECT_EQ(s->messages().back(),
            forms::formatMessage(forms::kMsgDuplicateValue, {"Child Customer ID C2"}));
  EXPECT_EQ(s->children().size(), 1u);
}

TEST_F(CustomerSetup, FinanceChargesFollowEachLinkAndUnlink) {
  link("P1", "C1");
  db_->exec("update XNACustP set FinanceChrg = 1 where PrimaryCustId = 'P1'");
  db_->exec("update Customer set FinChrgCustId = 'P1' where CustId = 'C1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->session().grids().selectLine(s->grid(), 0));
  ASSERT_TRUE(s->session().grids().deleteLine(s->grid()));
  ASSERT_TRUE(s->addChild("C2"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select CustId, FinChrgCustId from Customer where CustId in ('C1', 'C2')"),
            (std::vector<std::string>{"C1|C1", "C2|P1"}));
}

}  // namespace corvena::qm18100::testing
