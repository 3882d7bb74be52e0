#include "platform/db/tests/layout_check.h"
#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

using Records = Company;

TEST_F(Records, EveryModuleRecordMatchesItsTableColumnForColumn) {
  for (const RecordLayout* layout : moduleTableLayouts()) {
    SCOPED_TRACE(layout->name());
    EXPECT_EQ(db::testing::layoutProblems(*db, *layout, true), Rows{});
  }
}

TEST_F(Records, ViewRowFieldsAreTheViewsColumns) {
  Rows fields, columns;
  for (const auto& f : XVNACustomers_ALL::layout().fields()) fields.push_back(f.name);
  for (const auto& c : db::testing::tableColumns(*db, "XVNACustomers_ALL"))
    columns.push_back(c.name);
  EXPECT_EQ(columns, fields);
}

TEST_F(Records, EveryModuleRowRoundTrips) {
  for (const RecordLayout* layout : moduleTableLayouts()) {
    SCOPED_TRACE(layout->name());
    EXPECT_EQ(db::testing::roundTripProblems(*db, *layout, layout->name()), Rows{});
  }
}

TEST_F(Records, ViewRowReadsALinkComparingIdsWithoutTrailingBlanks) {
  customer("P1");
  customer("K1");
  link("P1", {"K1"});
  XVNACustomers_ALL row;
  db::Statement st = db->run("Select * from XVNACustomers_ALL Where SecondaryCustId = 'K1    '");
  ASSERT_TRUE(st.step());
  st.readInto(row);
  EXPECT_EQ(row.PrimaryCustId, "P1");
  EXPECT_EQ(row.SecondaryCustId, "K1");
  EXPECT_EQ(row.SecondaryName, "Name of K1");
}

TEST_F(Records, DeclaredWidthsOfTheModuleColumns) {
  EXPECT_GE(XNASetup::layout().find("vond1")->width, 10u);
  EXPECT_GE(XNASetup::layout().find("vond2")->width, 24u);
  EXPECT_EQ(XNAHeader::layout().find("vond1")->width, 30u);
  EXPECT_EQ(XNAHeader::layout().find("vond2")->width, 30u);
  EXPECT_EQ(XNATranDLn::layout().find("TaskID")->width, 32u);
  EXPECT_EQ(XNATranDLn::layout().find("LineNbr")->type, FieldType::Int16);
  for (const RecordLayout* layout : moduleTableLayouts()) {
    EXPECT_EQ(layout->find("crtd_prog")->width, 8u) << layout->name();
    EXPECT_EQ(layout->find("LUpd_User")->width, 10u) << layout->name();
    EXPECT_EQ(layout->find("Crtd_Date")->type, FieldType::Date) << layout->name();
  }
}

TEST_F(Records, SetupTableHoldsOneRowAtMost) {
  XNASetup s;
  s.vond1 = "1020";
  db->insert("XNASetup", s);
  EXPECT_THROW(db->insert("XNASetup", s), db::DbError);
  EXPECT_EQ(count("XNASetup"), 1);
}

TEST_F(Records, DetailKeepsOneRowPerBatchAndDocument) {
  XNADetail d;
  d.NABatNbr = "0000000001";
  d.CustId = "K1";
  d.DocType = "IN";
  d.RefNbr = "100";
  db->insert("XNADetail", d);
  d.RefNbr = "100   ";
  EXPECT_THROW(db->insert("XNADetail", d), db::DbError);
  d.RefNbr = "101";
  db->insert("XNADetail", d);
  EXPECT_EQ(count("XNADetail"), 2);
}

}  // namespace
}  // namespace corvena::testing
