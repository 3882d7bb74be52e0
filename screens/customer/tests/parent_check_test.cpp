// Entering the parent: a child of another national account is refused; an
// existing national account is read with its children; a new one starts fresh.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

TEST_F(CustomerSetup, ParentThatIsAChildIsRefusedNamingItsParent) {
  auto s = open();
  EXPECT_FALSE(s->set("cPrimaryCustId", "C4"));
  ASSERT_EQ(s->ui().messages().size(), 1u);
  const auto& box = s->ui().messages().front();
  EXPECT_EQ(box.text, "This customer is already a child customer of National Account : P2");
  EXPECT_EQ(box.style, 48);
  EXPECT_EQ(box.caption, "Warning");
  EXPECT_EQ(s->session().lastErrorLevel(), 32000);
  EXPECT_EQ(s->shown("cPrimaryCustId"), "");
}

TEST_F(CustomerSetup, ParentRefusalIgnoresTrailingBlanks) {
  auto s = open();
  EXPECT_FALSE(s->set("cPrimaryCustId", "c4   "));
  EXPECT_EQ(s->messages(),
            std::vector<std::string>{
                "This customer is already a child customer of National Account : P2"});
}

TEST_F(CustomerSetup, ExistingParentIsReadWithItsChildren) {
  link("P1", "C2");
  link("P1", "C1");
  db_->exec("update XNACustP set FinanceChrg = 1, cashreceipts = 0 where PrimaryCustId = 'P1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  EXPECT_EQ(s->children(), (std::vector<std::string>{"C1", "C2"}));
  EXPECT_EQ(s->session().grids().cellText(s->grid(), 0, s->control("cCity")), "City C1");
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

}  // namespace corvena::qm18100::testing
