// Audit stamps: creation once, last update at every save; child lines as
// loaded keep their stamps but always carry the current parent.
#include "screens/customer/tests/customer_fixture.h"

namespace corvena::qm18100::testing {

namespace {

const Date kFirstDay{2026, 3, 2};
const Date kLaterDay{2026, 4, 15};

void expectStamp(const auto& row, const Date& created, const std::string& creator,
                 const Date& updated, const std::string& updater) {
  EXPECT_EQ(row.Crtd_Date, created);
  EXPECT_EQ(row.Crtd_Prog.trimmed(), "18100");
  EXPECT_EQ(row.Crtd_User.trimmed(), creator);
  EXPECT_EQ(row.LUpd_Date, updated);
  EXPECT_EQ(row.LUpd_Prog.trimmed(), "18100");
  EXPECT_EQ(row.LUpd_User.trimmed(), updater);
}

}  // namespace

TEST_F(CustomerSetup, LaterSaveKeepsCreationAndStampsOnlyChangedLines) {
  {
    auto s = open("CLERK1", kFirstDay);
    ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
    ASSERT_TRUE(s->addChild("C1"));
    ASSERT_TRUE(s->save());
  }
  auto s = open("CLERK2", kLaterDay);
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  ASSERT_TRUE(s->addChild("C2"));
  ASSERT_TRUE(s->click("cCreditChk"));
  ASSERT_TRUE(s->save());
  expectStamp(parentRow("P1"), kFirstDay, "CLERK1", kLaterDay, "CLERK2");
  expectStamp(childRow("P1", "C1"), kFirstDay, "CLERK1", kFirstDay, "CLERK1");
  expectStamp(childRow("P1", "C2"), kLaterDay, "CLERK2", kLaterDay, "CLERK2");
}

TEST_F(CustomerSetup, UnchangedLinesTakeTheCurrentParent) {
  link("P1", "C1");
  auto s = open("CLERK2", kLaterDay);
  ASSERT_TRUE(s->set("cPrimaryCustId", "P1"));
  auto& screen = s->screen();
  ASSERT_EQ(host::LineArrayFirst(screen.ChildLines), 0);
  screen.bXNACustS.PrimaryCustId = "";
  host::LineArrayUpdate(screen.ChildLines);
  host::LineArraySetState(screen.ChildLines, 4);
  ASSERT_TRUE(s->click("cCreditChk"));
  ASSERT_TRUE(s->save());
  const XNACustS row = childRow("P1", "C1");
  EXPECT_EQ(row.PrimaryCustId.trimmed(), "P1");
  EXPECT_EQ(row.LUpd_User.trimmed(), "SEED");
}

}  // namespace corvena::qm18100::testing
