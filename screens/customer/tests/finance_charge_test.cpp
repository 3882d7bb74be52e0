// "Base Finance Charges Across National Accounts": switching it applies the
// option to the children's customer rows once per change, on save.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

constexpr const char* kBasis =
    "select CustId, FinChrgCustId from Customer where CustId in "
    "('P1', 'C1', 'C2', 'C3') order by CustId";

}  // namespace

TEST_F(CustomerSetup, SwitchingFinanceChargesOnBasesChildrenOnTheParent) {
  link("P1", "C1");
  link("P1", "C2");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows(kBasis), (std::vector<std::string>{"C1|P1", "C2|P1", "C3|C3", "P1|P1"}));
  EXPECT_EQ(parentRow("P1").FinanceChrg, 1);
}

TEST_F(CustomerSetup, SavingWithoutAChangeDoesNotApplyFinanceChargesAgain) {
  link("P1", "C1");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->save());
  db_->exec("update Customer set FinChrgCustId = 'MARK' where CustId = 'C1'");
  ASSERT_TRUE(s->click("cCreditChk"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C1'"), "MARK");
}

TEST_F(CustomerSetup, SwitchingFinanceChargesOffBasesEachChildOnItself) {
  link("P1", "C1");
  db_->exec("update XNACustP set FinanceChrg = 1 where PrimaryCustId = 'P1'");
  db_->exec("update Customer set FinChrgCustId = 'P1' where CustId = 'C1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C1'"), "C1");
  EXPECT_EQ(parentRow("P1").FinanceChrg, 0);
}

TEST_F(CustomerSetup, NewNationalAccountAppliesFinanceChargesToChildrenSavedWithIt) {
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->addChild("C1"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C1'"), "P1");
}

TEST_F(CustomerSetup, RefusedParentEntryKeepsAnUnsavedFinanceChargeChange) {
  link("P1", "C1");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  EXPECT_FALSE(s->set("cPrimaryCustId", "C4"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C1'"), "P1");
}

TEST_F(CustomerSetup, ParentReachedByNavigationAppliesItsOwnChange) {
  link("P1", "C1");
  link("P3", "C3");
  addCustomer("P3");
  db_->exec("update XNACustP set FinanceChrg = 1 where PrimaryCustId = 'P1'");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->session().updates().navigate(0, forms::Navigation::Last));
  ASSERT_EQ(s->shown("cPrimaryCustId"), "P3");
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C3'"), "P3");
}

}  // namespace corvena::qm18100::testing
