// SQL through cursor variables: fetches, next rows, aggregates, statements.
#include "runtime/host/tests/kelpapi_fixture.h"

namespace corvena::host::testing {
namespace {

using SqlTest = KelpapiTest;

TEST_F(SqlTest, CursorNeverOpenedIsOpenedOnFirstUse) {
  Cursor c;
  EXPECT_EQ(SqlFetch1(c, "select * from KItem where ItemId = " + SParm("NUT"), bItem, 0), 0);
  EXPECT_NE(c.id, 0);
  EXPECT_EQ(bItem.Descr.trimmed(), "Nut");
  EXPECT_EQ(bItem.Qty, 300);
}

TEST_F(SqlTest, FetchThenNextRowsThenNone) {
  Cursor c;
  SqlCursorEx(c, 271, "CSR_KITEM", "KItem", "KItem");
  ASSERT_EQ(SqlFetch1(c, "KItem_All " + SParm("%"), bItem), 0);
  EXPECT_EQ(bItem.ItemId.trimmed(), "BOLT");
  ASSERT_EQ(SFetch1(c, bItem), 0);
  EXPECT_EQ(bItem.ItemId.trimmed(), "NUT");
  ASSERT_EQ(SFetch1(c, bItem), 0);
  EXPECT_EQ(SFetch1(c, bItem), NotFound);
  EXPECT_EQ(bItem.ItemId.trimmed(), "WASHER");  // an empty fetch leaves the record
}

TEST_F(SqlTest, QuotesInParametersStayInsideTheirLiteral) {
  Cursor c;
  ASSERT_EQ(SqlFetch1(c, "KItem_Descr " + SParm("Washer's%") + ", '%'", bItem), 0);
  EXPECT_EQ(bItem.ItemId.trimmed(), "WASHER");
  ASSERT_EQ(SqlFetch1(c, "KItem_Descr '%'" + SParm("NUT"), bItem), 0);  // two parameters
  EXPECT_EQ(bItem.ItemId.trimmed(), "NUT");
}

TEST_F(SqlTest, AggregateIntoAFloat) {
  Cursor c;
  Sql(c, "select sum(Price * Qty) from KItem");
  double total = -1;
  ASSERT_EQ(SGroupFetch1(c, total, 8), 0);
  EXPECT_DOUBLE_EQ(total, 0.25 * 100 + 0.1 * 300 + 0.05 * 50);
}

TEST_F(SqlTest, InsertAndStatementsWithoutRows) {
  Cursor c;
  bItem.ItemId = "PIN";
  bItem.Price = 0.02;
  bItem.Added = Date{2024, 2, 29};
  SInsert1(c, "KItem", bItem, 0);
  Sql(c, "update KItem set Qty = " + IParm(7) + " where ItemId = " + SParm("PIN"));
  KItem back{};
  ASSERT_EQ(SqlFetch1(c, "select * from KItem where Added = " + DParm(Date{2024, 2, 29}), back), 0);
  EXPECT_EQ(back.Qty, 7);
  EXPECT_EQ(back.Price, 0.02);
}

TEST_F(SqlTest, FreedCursorIsOpenedAgainOnUse) {
  Cursor c;
  SqlCursor(c, 15 + 16384);
  SqlFree(c);
  EXPECT_EQ(c.id, 0);
  EXPECT_EQ(SqlFetch1(c, "KItem_All 'B%'", bItem), 0);
}

TEST_F(SqlTest, DatabaseErrorBecomesATypedErrorForTheEventBoundary) {
  Cursor c;
  EXPECT_THROW(Sql(c, "NoSuchProcedure 'x'"), db::DbError);
}

}  // namespace
}  // namespace corvena::host::testing
