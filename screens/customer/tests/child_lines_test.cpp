// Linking children, saving and reopening the national account; removing a
// child line removes only its link.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

constexpr const char* kParentOptions =
    "select PrimaryCustId, cashreceipts, Status, Statement, FinanceChrg, CreditChk from XNACustP "
    "order by PrimaryCustId";

TEST_F(CustomerSetup, LinkedChildrenAreSavedAndShownWhenTheParentIsReopened) {
  {
    auto s = open();
    ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
    ASSERT_TRUE(s->addChild("C2"));
    ASSERT_TRUE(s->addChild("C1"));
    ASSERT_TRUE(s->save());
  }
  EXPECT_EQ(rows("select PrimaryCustId, cashreceipts from XNACustP where PrimaryCustId = 'P1'"),
            std::vector<std::string>{"P1|1"});
  EXPECT_EQ(rows("select SecondaryCustid from XNACustS where PrimaryCustId = 'P1' order by 1"),
            (std::vector<std::string>{"C1", "C2"}));
  auto again = open();
  ASSERT_TRUE(again->set("cPrimaryCustId", "P1"));
  EXPECT_EQ(again->children(), (std::vector<std::string>{"C1", "C2"}));
  EXPECT_EQ(again->session().grids().cellText(again->grid(), 1, again->control("cName")),
            "Customer C2");
}

TEST_F(CustomerSetup, NewLineTakesTheParentIdBeforeItIsSaved) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->session().grids().startNewLine(s->grid()));
  EXPECT_EQ(s->screen().bXNACustS.PrimaryCustId.trimmed(), "P1");
}

TEST_F(CustomerSetup, RemovingAChildLineDeletesOnlyItsLink) {
  link("P1", "C1");
  link("P1", "C2");
  const auto customersBefore = rows("select * from Customer order by CustId");
  const auto parentBefore = rows(kParentOptions);
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->session().grids().selectLine(s->grid(), 0));
  ASSERT_TRUE(s->session().grids().deleteLine(s->grid()));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select PrimaryCustId, SecondaryCustid from XNACustS order by 2"),
            (std::vector<std::string>{"P1|C2", "P2|C4"}));
  EXPECT_EQ(rows("select * from Customer order by CustId"), customersBefore);
  EXPECT_EQ(rows(kParentOptions), parentBefore);
}

}  // namespace corvena::qm18100::testing
