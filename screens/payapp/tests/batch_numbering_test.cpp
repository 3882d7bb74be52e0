// New batches are numbered from the module's last batch number when saved.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class BatchNumbering : public PayAppTest {
 protected:
  void enterPayment(OpenScreen& s, const std::string& ref) {
    ASSERT_TRUE(s.newBatch());
    ASSERT_TRUE(s.set("cCustId", "P1"));
    ASSERT_TRUE(s.set("cNARefNbr", ref));
    ASSERT_TRUE(s.set("cOrigDocAmt", "100"));
  }
};

TEST_F(BatchNumbering, TwoScreensSavingAtOnceGetDifferentNumbers) {
  auto first = open();
  auto second = open();
  enterPayment(*first, "CHKA");
  enterPayment(*second, "CHKB");
  ASSERT_TRUE(first->save()) << ::testing::PrintToString(first->messages());
  ASSERT_TRUE(second->save());
  const std::string a = first->app().bXNAHeader.NABatNbr.trimmed();
  const std::string b = second->app().bXNAHeader.NABatNbr.trimmed();
  EXPECT_EQ(sorted({a, b}), sorted({"0000000101", "0000000102"}));
  EXPECT_EQ(value("select LastNABatNbr from XNASetup"), "0000000102");
  EXPECT_EQ(sorted(rows("select NABatNbr || '|' || RefNbr from XNAHeader")),
            sorted({a + "|CHKA", b + "|CHKB"}));
}

}  // namespace
}  // namespace corvena::payapp::testing
