#include <gtest/gtest.h>

#include "platform/db/host_records.h"
#include "platform/db/tests/layout_check.h"
#include "platform/db/tests/test_database.h"

namespace corvena::db {
namespace {

TEST(HostSchema, EveryHostRecordMatchesItsTable) {
  testing::ScratchDir dir;
  auto db = Database::create(dir.database("company.db"));
  for (const RecordLayout* layout : hostTableLayouts()) {
    SCOPED_TRACE(layout->name());
    EXPECT_EQ(testing::layoutProblems(*db, *layout, true), std::vector<std::string>{});
  }
}

TEST(HostSchema, CheckCatchesAMissingColumnAndAWrongType) {
  testing::ScratchDir dir;
  auto db = Database::create(dir.database("company.db"));
  db->exec("CREATE TABLE Probe (Acct REAL NOT NULL DEFAULT 0, extra TEXT)");
  static const RecordLayout probe(
      "Probe", 32, {{"Acct", FieldType::Text, 0, 10}, {"Descr", FieldType::Text, 10, 20}});
  const auto problems = testing::layoutProblems(*db, probe, true);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_EQ(problems[0], "Probe.Acct: text without RTRIM");
  EXPECT_EQ(problems[1], "Probe.Descr: no column");
  EXPECT_EQ(problems[2], "Probe.extra: column without field");
}

TEST(HostSchema, LevelZeroTablesCarryTheChangeStamp) {
  testing::ScratchDir dir;
  auto db = Database::create(dir.database("company.db"));
  for (const char* table : {"Customer", "Batch", "ARDoc", "ARSetup", "GLSetup", "Company"}) {
    const auto& cols = db->columns(table);
    EXPECT_NE(std::find(cols.begin(), cols.end(), "tstamp"), cols.end()) << table;
  }
}

}  // namespace
}  // namespace corvena::db
