#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/db/tests/test_database.h"
#include "platform/demo/tests/tool_run.h"

namespace corvena::demo {
namespace {

using testing::quoted;
using testing::Result;
using testing::tool;

TEST(CorvenaDbTool, InitCreatesAnEmptyCompanyDatabase) {
  db::testing::ScratchDir dir;
  const Result r = tool("init " + quoted(dir.file("empty.db")));
  EXPECT_EQ(r.status, 0) << r.output;
  auto db = db::Database::open(dir.file("empty.db"));
  db::Statement st = db->prepare("SELECT COUNT(*) FROM Customer");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(std::get<std::int64_t>(st.column(0)), 0);
  const Result shown = tool("show " + quoted(dir.file("empty.db")));
  EXPECT_EQ(shown.status, 0);
  EXPECT_EQ(shown.output.find("National account"), std::string::npos);
}

TEST(CorvenaDbTool, DemoDatabaseShowsItsNationalAccounts) {
  db::testing::ScratchDir dir;
  const Result r = tool("init --demo " + quoted(dir.file("demo.db")));
  ASSERT_EQ(r.status, 0) << r.output;
  const Result shown = tool("show " + quoted(dir.file("demo.db")));
  EXPECT_EQ(shown.status, 0);
  EXPECT_NE(shown.output.find("National account NATL-GROC"), std::string::npos);
  EXPECT_NE(shown.output.find("(24 children"), std::string::npos);
  EXPECT_NE(shown.output.find("child GROCER-024"), std::string::npos);
  EXPECT_NE(shown.output.find("Payment batch 0000000001 NP check CHK10001"), std::string::npos);
  EXPECT_NE(shown.output.find("Customers in no national account:\n  ACME"), std::string::npos);
}

TEST(CorvenaDbTool, PathThatCannotBeWrittenIsRefusedAndLeavesNothing) {
  db::testing::ScratchDir dir;
  dir.write("plainfile", "x");
  const std::string path = dir.file("plainfile") + "/company.db";
  const Result r = tool("init --demo " + quoted(path));
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.output.find("corvena-db: "), std::string::npos) << r.output;
  EXPECT_FALSE(std::filesystem::exists(path));
  const Result missing = tool("init " + quoted(dir.file("no/such/dir/company.db")));
  EXPECT_NE(missing.status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("no")));
}

TEST(CorvenaDbTool, InitWithoutAFileNameCreatesNothingAndSaysSo) {
  const Result r = tool("init ''");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.output.find("Created"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("needs a file name"), std::string::npos) << r.output;
}

TEST(CorvenaDbTool, ShowFindsADamagedPageTheReportNeverReads) {
  db::testing::ScratchDir dir;
  const std::string path = dir.file("demo.db");
  ASSERT_EQ(tool("init --demo " + quoted(path)).status, 0);
  testing::spoilMiddle(path);
  const Result shown = tool("show " + quoted(path));
  EXPECT_EQ(shown.status, 1);
  EXPECT_NE(shown.output.find("damaged"), std::string::npos) << shown.output;
}

TEST(CorvenaDbTool, ExistingFileThatIsNoDatabaseIsLeftAlone) {
  db::testing::ScratchDir dir;
  dir.write("notes.txt", "not a company database\n");
  const Result init = tool("init --demo " + quoted(dir.file("notes.txt")));
  EXPECT_NE(init.status, 0);
  EXPECT_NE(init.output.find("already exists"), std::string::npos) << init.output;
  const Result show = tool("show " + quoted(dir.file("notes.txt")));
  EXPECT_NE(show.status, 0);
  EXPECT_NE(show.output.find("not a company database"), std::string::npos) << show.output;
  std::ifstream in(dir.file("notes.txt"));
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "not a company database\n");
}

TEST(CorvenaDbTool, ShowOfAMissingFileAndBadArgumentsFail) {
  db::testing::ScratchDir dir;
  const Result show = tool("show " + quoted(dir.file("absent.db")));
  EXPECT_EQ(show.status, 1);
  EXPECT_NE(show.output.find("does not exist"), std::string::npos) << show.output;
  EXPECT_FALSE(std::filesystem::exists(dir.file("absent.db")));
  EXPECT_EQ(tool("init").status, 2);
  EXPECT_EQ(tool("init --demo").status, 2);
  EXPECT_NE(tool("frobnicate x").output.find("usage: corvena-db"), std::string::npos);
}

// Nothing the user commands do may leave the company without an administrator.
TEST(CorvenaDbTool, UserCommandsKeepUsersAndRefuseWhatWouldLockTheCompanyOut) {
  db::testing::ScratchDir dir;
  const std::string db = quoted(dir.file("demo.db"));
  ASSERT_EQ(tool("init --demo " + db).status, 0);
  const Result letters = tool("user grant " + db + " CLERK1 QM18300 VX");
  EXPECT_EQ(letters.status, 1);
  EXPECT_NE(letters.output.find("\"X\" is not one of them"), std::string::npos) << letters.output;
  const Result last = tool("user remove " + db + " SYSADMIN");
  EXPECT_EQ(last.status, 1);
  EXPECT_NE(last.output.find("last administrator"), std::string::npos) << last.output;
  EXPECT_EQ(tool("user ungroup " + db + " CLERKS CLERK1").status, 0);
  EXPECT_EQ(tool("user remove " + db + " CLERK2").status, 0);
  const Result listed = tool("user list " + db);
  EXPECT_NE(listed.output.find("user CLERK1  Pat Clerk\nuser SYSADMIN  Administrator  administrator\n"),
            std::string::npos) << listed.output;
  EXPECT_EQ(listed.output.find("18300  VX"), std::string::npos) << listed.output;
}

}  // namespace
}  // namespace corvena::demo
