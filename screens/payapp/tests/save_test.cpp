// Saving a batch: the header and exactly one XNADetail row per line with an
// apply amount, however often it is saved; the header and the lines a save
// changes take the signed-on clerk's stamp, lines left alone keep theirs.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class SaveDetail : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100, .discBal = 2});
    addDoc({.cust = "C1", .type = "DM", .ref = "DM2", .balance = 300, .discBal = 5});
    addDoc({.cust = "C2", .type = "FI", .ref = "FI3", .balance = 250});
  }

  std::unique_ptr<OpenScreen> applied() {
    auto s = openPayment("500");
    EXPECT_TRUE(enter(*s, "INV1", "cDiscAmt", "2"));
    payDocument(*s, "INV1");
    EXPECT_TRUE(enter(*s, "DM2", "cCuryApplAmt", "120.50"));
    // A discount alone is no application.
    EXPECT_TRUE(enter(*s, "FI3", "cDiscAmt", "0"));
    return s;
  }

  Rows detail() {
    return sorted(
        rows("select NABatNbr, CustId, DocType, RefNbr, CuryApplAmt, DiscAmt, CpnyId, CuryId, "
             "DocAmt, DocDate from XNADetail"));
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

TEST_F(SaveDetail, WritesTheHeaderAndOneRowPerAppliedLine) {
  auto s = applied();
  ASSERT_TRUE(s->save()) << ::testing::PrintToString(s->messages());
  const std::string batch = s->app().bXNAHeader.NABatNbr.trimmed();
  ASSERT_FALSE(batch.empty());
  EXPECT_EQ(rows("select NABatNbr, CustId, RefNbr, OrigDocAmt, Status from XNAHeader"),
            Rows{batch + "|P1|CHK1|500.000000|O"});
  EXPECT_EQ(detail(),
            sorted({batch + "|C1|DM|DM2|120.500000|0.000000|CO1|USD|350.000000|2026-02-01",
                    batch + "|P1|IN|INV1|98.000000|2.000000|CO1|USD|150.000000|2026-02-01"}));
  const std::string created = "2026-03-02 18300 CLERK1 / 2026-03-02 18300 CLERK1";
  EXPECT_EQ(stamps("XNAHeader", "1 = 1"), created);
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV1'"), created);
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'DM2'"), created);
}

TEST_F(SaveDetail, ALineWithADiscountButNoApplyAmountGetsNoRow) {
  auto s = openPayment("500");
  ASSERT_TRUE(enter(*s, "DM2", "cDiscAmt", "5"));
  ASSERT_TRUE(enter(*s, "FI3", "cCuryApplAmt", "10"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select RefNbr from XNADetail"), Rows{"FI3"});
}

TEST_F(SaveDetail, SavingTwiceKeepsOneRowPerAppliedLine) {
  auto s = applied();
  ASSERT_TRUE(s->save());
  const Rows first = detail();
  EXPECT_FALSE(s->save());  // nothing changed since
  EXPECT_EQ(detail(), first);
  ASSERT_TRUE(enter(*s, "DM2", "cCuryApplAmt", "0"));
  ASSERT_TRUE(enter(*s, "FI3", "cCuryApplAmt", "7"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(sorted(rows("select RefNbr, CuryApplAmt from XNADetail")),
            sorted({"INV1|98.000000", "FI3|7.000000"}));
}

TEST_F(SaveDetail, ARecalledBatchSavedAgainKeepsItsRowsAndTakesTheChanges) {
  std::string batch;
  {
    auto s = applied();
    ASSERT_TRUE(s->save());
    batch = s->app().bXNAHeader.NABatNbr.trimmed();
  }
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", batch));
  EXPECT_EQ(cell(*s, "DM2", "cCuryApplAmt"), "120.50");
  ASSERT_TRUE(enter(*s, "DM2", "cCuryApplAmt", "121"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(sorted(rows("select RefNbr, CuryApplAmt from XNADetail")),
            sorted({"INV1|98.000000", "DM2|121.000000"}));
}

// Rows go in a statement per 200: a batch of more lines than that writes each
// line's own amount once, in a handful of statements.
TEST_F(SaveDetail, ALongBatchWritesEveryLineInAFewStatements) {
  for (int i = 0; i < 450; ++i)
    addDoc({.cust = i % 2 ? "C1" : "C2", .ref = "L" + std::to_string(i), .balance = 1.0 + i});
  auto s = openPayment("999999");
  for (int i = 0; i < 450; ++i) payDocument(*s, "L" + std::to_string(i));
  const std::int64_t before = s->session().database().statementsRun();
  ASSERT_TRUE(s->save());
  EXPECT_LT(s->session().database().statementsRun() - before, 30);
  EXPECT_EQ(value("select count(*) from XNADetail where RefNbr like 'L%'"), "450");
  EXPECT_EQ(value("select count(*) from XNADetail d join ARDoc a on a.RefNbr = d.RefNbr"
                  " and a.CustId = d.CustId where d.CuryApplAmt <> a.CuryDocBal"),
            "0");
}

TEST_F(SaveDetail, OtherBatchesRowsAreLeftAlone) {
  addDoc({.cust = "C2", .ref = "INV9", .balance = 80});
  addHeader("0000000007", "O", "NP", "CHK7", 80);
  addDetail("0000000007", "C2", "IN", "INV9", 80);
  auto s = applied();
  ASSERT_TRUE(s->save());
  ASSERT_TRUE(enter(*s, "FI3", "cCuryApplAmt", "7"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select RefNbr, CuryApplAmt from XNADetail where NABatNbr = '0000000007'"),
            Rows{"INV9|80.000000"});
}

TEST_F(SaveDetail, ASecondSaveStampsTheHeaderAndOnlyTheChangedLines) {
  auto s = applied();
  ASSERT_TRUE(s->save());
  becomeUser(*s, "AUDITOR", Date{2026, 3, 9});
  ASSERT_TRUE(s->set("cOrigDocAmt", "450"));
  ASSERT_TRUE(enter(*s, "DM2", "cCuryApplAmt", "121"));
  ASSERT_TRUE(s->save());
  const std::string resaved = "2026-03-02 18300 CLERK1 / 2026-03-09 18300 AUDITOR";
  EXPECT_EQ(stamps("XNAHeader", "1 = 1"), resaved);
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'DM2'"), resaved);
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'INV1'"),
            "2026-03-02 18300 CLERK1 / 2026-03-02 18300 CLERK1");
}

TEST_F(SaveDetail, ALoadedLineKeepsItsCreationAndTakesNewUpdateStamps) {
  addHeader("0000000040", "O", "NP", "CHK40", 500);
  addDetail("0000000040", "C1", "DM", "DM2", 120);
  auto s = open("CO1", Date{2026, 3, 5});
  ASSERT_TRUE(s->set("cNABatNbr", "0000000040"));
  ASSERT_TRUE(enter(*s, "DM2", "cCuryApplAmt", "130"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(stamps("XNADetail", "RefNbr = 'DM2'"),
            "2026-02-20 18300 SEED / 2026-03-05 18300 CLERK1");
}

}  // namespace
}  // namespace corvena::payapp::testing
