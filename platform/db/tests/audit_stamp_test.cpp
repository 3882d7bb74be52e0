// One rule for every screen that stamps a row: a row no program has created is
// new; a stored row keeps its creation and takes the last update.
#include "platform/db/audit_stamp.h"

#include <gtest/gtest.h>

#include "platform/db/host_records.h"

namespace corvena::db {
namespace {

const AuditStamp kClerk{Date{2026, 3, 9}, "18300", "CLERK1"};

std::string stamps(const Customer& row) {
  return row.Crtd_Date.iso() + " " + row.Crtd_Prog.trimmed() + " " + row.Crtd_User.trimmed() +
         " / " + row.LUpd_Date.iso() + " " + row.LUpd_Prog.trimmed() + " " +
         row.LUpd_User.trimmed();
}

TEST(AuditStamp, ANewRowIsCreatedAndUpdatedByTheSameSave) {
  Customer row;
  stampAudit(row, kClerk);
  EXPECT_EQ(stamps(row), "2026-03-09 18300 CLERK1 / 2026-03-09 18300 CLERK1");
}

TEST(AuditStamp, AStoredRowKeepsItsCreation) {
  Customer row;
  stampAudit(row, {Date{2026, 1, 5}, "18100", "SEED"});
  stampAudit(row, kClerk);
  EXPECT_EQ(stamps(row), "2026-01-05 18100 SEED / 2026-03-09 18300 CLERK1");
}

TEST(AuditStamp, ARowWithACreatorButNoCreationDateIsNotNew) {
  Customer row;
  row.Crtd_Prog = "DEMO";
  row.Crtd_User = "SYSADMIN";
  stampAudit(row, kClerk);
  EXPECT_EQ(stamps(row), "1900-01-01 DEMO SYSADMIN / 2026-03-09 18300 CLERK1");
}

TEST(AuditStamp, ALongUserNameIsCutToTheColumn) {
  Customer row;
  stampAudit(row, {Date{2026, 3, 9}, "18300", "A.VERY.LONG.USER.NAME"});
  EXPECT_EQ(row.Crtd_User.trimmed(), "A.VERY.LON");
  EXPECT_EQ(row.LUpd_User.trimmed(), "A.VERY.LON");
}

}  // namespace
}  // namespace corvena::db
