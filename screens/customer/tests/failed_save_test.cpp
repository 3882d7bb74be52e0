// A save that fails writes nothing: not the parent row, the links or the
// finance-charge basis; and the finance-charge change is applied by the next good save.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

TEST_F(CustomerSetup, FailedSaveWritesNothing) {
  link("P1", "C1");
  const auto parentBefore = rows("select * from XNACustP order by 1");
  const auto linksBefore = rows("select * from XNACustS order by 1, 2");
  auto s = open();
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->click("cFinanceChrg"));
  ASSERT_TRUE(s->addChild("C2"));
  ASSERT_TRUE(s->addChild("C2"));
  EXPECT_FALSE(s->save());
  EXPECT_EQ(rows("select * from XNACustP order by 1"), parentBefore);
  EXPECT_EQ(rows("select * from XNACustS order by 1, 2"), linksBefore);
  EXPECT_EQ(value("select FinChrgCustId from Customer where CustId = 'C1'"), "C1");
  ASSERT_GE(s->session().grids().lineCount(s->grid()), 3u);
  ASSERT_TRUE(s->session().grids().selectLine(s->grid(), 2));
  ASSERT_TRUE(s->session().grids().deleteLine(s->grid()));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(parentRow("P1").FinanceChrg, 1);
  EXPECT_EQ(rows("select CustId, FinChrgCustId from Customer where CustId in ('C1', 'C2') "
                 "order by 1"),
            (std::vector<std::string>{"C1|P1", "C2|P1"}));
}

}  // namespace corvena::qm18100::testing
