// A save is all or nothing: when one detail row cannot be written, neither the
// header nor any detail row of the batch changes.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class SaveRollback : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addDoc({.cust = "C2", .ref = "BAD3", .balance = 250});
  }

  // The database refuses any application of BAD3, as a failing disk or a
  // constraint would.
  void refuseBad3() {
    if (db::testing::onServer()) {
      db_->exec(
          "create function refuse_bad3() returns trigger language plpgsql as $$ begin "
          "raise exception 'detail row refused'; end $$;"
          "create trigger refuse_bad3 before insert on XNADetail for each row"
          " when (new.RefNbr = 'BAD3') execute function refuse_bad3();");
      return;
    }
    db_->exec(
        "create trigger refuse_bad3 before insert on XNADetail when new.RefNbr = 'BAD3' "
        "begin select raise(abort, 'detail row refused'); end;");
  }

  Rows stored() {
    return sorted(rows(
        "select 'H|' || NABatNbr || '|' || OrigDocAmt || '|' || LUpd_Date from XNAHeader union all "
        "select 'D|' || RefNbr || '|' || CuryApplAmt from XNADetail"));
  }
};

TEST_F(SaveRollback, ANewBatchWhoseDetailFailsLeavesNothingBehind) {
  refuseBad3();
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
  ASSERT_TRUE(enter(*s, "BAD3", "cCuryApplAmt", "50"));
  EXPECT_FALSE(s->save());
  EXPECT_TRUE(stored().empty());
  EXPECT_NE(lastMessage(*s).text.find("detail row refused"), std::string::npos);
  // The screen keeps what the clerk typed, to correct and save again.
  EXPECT_EQ(cell(*s, "BAD3", "cCuryApplAmt"), "50.00");
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 150);
}

TEST_F(SaveRollback, AStoredBatchWhoseDetailFailsKeepsItsHeaderAndRows) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "200"));
  ASSERT_TRUE(s->save());
  const Rows before = stored();
  ASSERT_EQ(before.size(), 3u);
  refuseBad3();
  ASSERT_TRUE(s->set("cOrigDocAmt", "600"));
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "150"));
  ASSERT_TRUE(enter(*s, "BAD3", "cCuryApplAmt", "50"));
  EXPECT_FALSE(s->save());
  EXPECT_EQ(stored(), before);
  ASSERT_TRUE(enter(*s, "BAD3", "cCuryApplAmt", "0"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(sorted(rows("select RefNbr, CuryApplAmt from XNADetail")),
            sorted({"INV1|100.000000", "INV2|150.000000"}));
  EXPECT_EQ(value("select OrigDocAmt from XNAHeader"), "600.000000");
}

}  // namespace
}  // namespace corvena::payapp::testing
