#include "platform/db/host_records.h"

#include <gtest/gtest.h>

#include "platform/db/tests/layout_check.h"
#include "platform/db/tests/test_database.h"

namespace corvena::db {
namespace {

class HostRecords : public ::testing::Test {
 protected:
  testing::ScratchDir dir;
  std::unique_ptr<Database> db = Database::create(dir.database("company.db"));
};

TEST_F(HostRecords, EveryHostTableRowRoundTrips) {
  for (const RecordLayout* layout : hostTableLayouts()) {
    SCOPED_TRACE(layout->name());
    db->exec("DELETE FROM " + layout->name());  // rows a new company starts with
    EXPECT_EQ(testing::roundTripProblems(*db, *layout, layout->name()), std::vector<std::string>{});
  }
}

TEST_F(HostRecords, SignOnAndCurrencyRecordsRoundTripThroughRows) {
  db->exec(
      "CREATE TABLE SignOn (CpnyID TEXT COLLATE RTRIM, CpnyName TEXT COLLATE RTRIM, Today TEXT,"
      " CuryId TEXT COLLATE RTRIM, Prog TEXT COLLATE RTRIM, UserId TEXT COLLATE RTRIM,"
      " ScrnTitle TEXT COLLATE RTRIM, StartMode5 INTEGER, DBName TEXT COLLATE RTRIM);"
      "CREATE TABLE Cury (CuryId TEXT, Descr TEXT, Symbol TEXT, DecPl INTEGER)");
  EXPECT_EQ(testing::roundTripProblems(*db, bpes::layout(), "SignOn"), std::vector<std::string>{});
  EXPECT_EQ(testing::roundTripProblems(*db, bcuryinfo::layout(), "Cury"),
            std::vector<std::string>{});
}

TEST_F(HostRecords, BlankRecordIsTheNullImage) {
  ARDoc doc;
  doc.RefNbr = "000123";
  doc.CuryDocBal = 5;
  doc.DueDate = Date{2026, 3, 1};
  blankRecord(doc);
  EXPECT_TRUE(doc.RefNbr.blank());
  EXPECT_EQ(doc.CuryDocBal, 0.0);
  EXPECT_TRUE(doc.DueDate.isBlank());
  EXPECT_EQ(std::string(doc.RefNbr.view()), std::string(10, ' '));
}

TEST_F(HostRecords, FieldsAreFoundByNameInAnyCase) {
  const auto& l = ARSetup::layout();
  ASSERT_NE(l.find("currpernbr"), nullptr);
  EXPECT_EQ(l.find("CURRPERNBR")->width, 6u);
  ASSERT_NE(l.find("pasortdflt"), nullptr);
  EXPECT_EQ(Customer::layout().find("stmtcycleid")->width, 2u);
  EXPECT_EQ(PJContrl::layout().find("Control_Data")->width, 255u);
  EXPECT_EQ(bpes::layout().find("userid")->width, 47u);
  EXPECT_EQ(l.find("NoSuchField"), nullptr);
}

}  // namespace
}  // namespace corvena::db
