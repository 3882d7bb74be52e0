// A customer is the child of at most one parent and never a parent itself,
// whatever one clerk types or two clerks save at once: the parent entered is
// read with its children or starts fresh, each refusal says why, and finance
// charges follow each link and unlink.
#include "platform/forms/messages.h"
#include "platform/forms/ui.h"
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

// The one message box shown: a warning, its text.
void expectWarning(OpenScreen& s, const std::string& text) {
  ASSERT_EQ(s.ui().messages().size(), 1u) << text;
  const auto& box = s.ui().messages().front();
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.style, forms::kStyleWarning);
  EXPECT_EQ(box.caption, "Warning");
}

}  // namespace

TEST_F(CustomerSetup, AParentThatIsAChildIsRefusedNamingItsParent) {
  auto s = open();
  for (const char* typed : {"C4", "c4   "}) {
    s->ui().clear();
    EXPECT_FALSE(s->set("cPrimaryCustId", typed)) << typed;
    expectWarning(*s, "This customer is already a child customer of National Account : P2");
    EXPECT_EQ(s->session().lastErrorLevel(), 32000);
    EXPECT_EQ(s->shown("cPrimaryCustId"), "");
  }
}

TEST_F(CustomerSetup, ExistingParentIsReadWithItsChildren) {
  link("P1", "C2");
  link("P1", "C1");
  db_->exec("update XNACustP set FinanceChrg = 1, cashreceipts = 0 where PrimaryCustId = 'P1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  EXPECT_EQ(s->children(), (std::vector<std::string>{"C1", "C2"}));
  EXPECT_EQ(s->column("cCity").front(), "City C1");
  EXPECT_EQ(s->shown("cFinanceChrg"), "1");
  EXPECT_EQ(s->shown("cCashReceipts"), "0");
  EXPECT_TRUE(s->messages().empty());
}

TEST_F(CustomerSetup, NewParentStartsWithDefaultsAndNoChildren) {
  link("P1", "C1");
  db_->exec("update XNACustP set FinanceChrg = 1, Statement = 1 where PrimaryCustId = 'P1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->set("cPrimaryCustId", "C2"));
  EXPECT_TRUE(s->children().empty());
  EXPECT_EQ(s->shown("cCashReceipts"), "1");
  for (const char* option : {"cStatus", "cStatement", "cFinanceChrg", "cCreditChk"})
    EXPECT_EQ(s->shown(option), "0") << option;
}

TEST_F(CustomerSetup, UnknownParentIsRefusedByItsLookUp) {
  auto s = open();
  EXPECT_FALSE(s->set("cPrimaryCustId", "NOSUCH"));
  EXPECT_EQ(s->shown("cPrimaryCustId"), "");
}

// The parent itself, a child of another national account, a parent (one
// without children yet too): each refused as typed, blanks and case aside.
TEST_F(CustomerSetup, AChildIsRefusedWhenItIsOrHasAParent) {
  db_->exec("insert into XNACustP (PrimaryCustId) values ('C3')");
  const std::string isAParent =
      "This customer is a National Account parent and cannot be a child customer.";
  const std::vector<std::pair<const char*, std::string>> refused{
      {"P1", "The child customer cannot be the same as the parent Customer."},
      {"p1  ", "The child customer cannot be the same as the parent Customer."},
      {"C4", "This customer is already part of National Account : P2"},
      {"C4   ", "This customer is already part of National Account : P2"},
      {"P2", isAParent},
      {"C3", isAParent}};
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  for (const auto& [typed, why] : refused) {
    s->ui().clear();
    EXPECT_FALSE(s->addChild(typed)) << typed;
    expectWarning(*s, why);
    EXPECT_EQ(s->session().lastErrorLevel(), 32000);
  }
  EXPECT_TRUE(s->children().empty());
}

TEST_F(CustomerSetup, TheSameChildUnderThisParentIsAcceptedAndShowsItsCustomer) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P2"));
  ASSERT_TRUE(s->within([&] { return s->session().grids().selectLine(s->grid(), 0); }));
  EXPECT_TRUE(s->set("cSecondaryCustId", "C4"));
  EXPECT_TRUE(s->messages().empty());
  EXPECT_EQ(s->shown("cName"), "Customer C4");
  EXPECT_EQ(s->shown("cCity"), "City C4");
  EXPECT_EQ(s->shown("cState"), "ST");
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
