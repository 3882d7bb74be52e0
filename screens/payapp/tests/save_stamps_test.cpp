// Audit stamps: a row never stamped is created and updated by the same save;
// a stored row keeps its creation stamps and takes new update stamps.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class SaveStamps : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
  }

  std::string stamps(const std::string& table, const std::string& where) {
    return value(
        "select Crtd_Date || ' ' || Crtd_Prog || ' ' || Crtd_User || ' / ' || "
        "LUpd_Date || ' ' || LUpd_Prog || ' ' || LUpd_User from " +
        table + " where " + where);
  }

  static void becomeUser(OpenScreen& s, const std::string& user, const Date& today) {
    s.within([&] {
      s.session().pes().UserId = user;
      s.session().setBusinessDate(today);
      return 0;
    });
  }
};

TEST_F(SaveStamps, NewHeaderAndLinesGetEqualCreationAndUpdateStamps) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
  ASSERT_TRUE(s->save());
  const std::string stamp = "2026-03-02 18300 CLERK1 / 2026-03-02 18300 CLERK1";
  EXPECT_EQ(stamps("XNAHeader", "1 = 1"), stamp);
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV1'"), stamp);
}

TEST_F(SaveStamps, ALoadedLineKeepsItsCreationAndTakesNewUpdateStamps) {
  addHeader("0000000040", "O", "NP", "CHK40", 500);
  addDetail("0000000040", "C1", "IN", "INV2", 120);
  auto s = open("CO1", Date{2026, 3, 5});
  ASSERT_TRUE(s->set("cNABatNbr", "0000000040"));
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "130"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV2'"),
            "2026-02-20 18300 SEED / 2026-03-05 18300 CLERK1");
}

TEST_F(SaveStamps, ResavedHeaderKeepsItsCreationStamps) {
  auto s = openPayment("500");
  ASSERT_TRUE(s->save());
  becomeUser(*s, "AUDITOR", Date{2026, 3, 9});
  ASSERT_TRUE(s->set("cOrigDocAmt", "450"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(stamps("XNAHeader", "1 = 1"), "2026-03-02 18300 CLERK1 / 2026-03-09 18300 AUDITOR");
}

TEST_F(SaveStamps, AnUnchangedLineKeepsItsStampsWhenTheBatchIsSavedAgain) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "100"));
  ASSERT_TRUE(s->save());
  becomeUser(*s, "AUDITOR", Date{2026, 3, 9});
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "200"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV1'"),
            "2026-03-02 18300 CLERK1 / 2026-03-02 18300 CLERK1");
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV2'"),
            "2026-03-02 18300 CLERK1 / 2026-03-09 18300 AUDITOR");
}

}  // namespace
}  // namespace corvena::payapp::testing
