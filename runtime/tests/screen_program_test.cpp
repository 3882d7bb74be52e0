#include "platform/db/database.h"
#include "runtime/tests/runtime_fixture.h"

namespace corvena::runtime::testing {
namespace {

TEST(ScreenOptions, ScriptSignOnAndParametersAreSeparated) {
  const auto options = parseScreenOptions(
      {"--script", "run.txt", "--db", "/c.db", "5", "--user=ANN", "123", "--company", "C"});
  EXPECT_EQ(options.script, "run.txt");
  EXPECT_EQ(options.signOn.database, "/c.db");
  EXPECT_EQ(options.signOn.user, "ANN");
  EXPECT_EQ(options.parameters, (std::vector<std::string>{"5", "123"}));
}

TEST(ScreenOptions, BadOptionsAreUsageErrors) {
  EXPECT_THROW(parseScreenOptions({"--script"}), UsageError);
  EXPECT_THROW(parseScreenOptions({"--db"}), UsageError);
  EXPECT_THROW(parseScreenOptions({"--verbose"}), UsageError);
}

TEST(ScreenOptions, TheScreenNumberIsTheProgramsDigits) {
  EXPECT_EQ(screenNumber("QM18200"), "18200");
  EXPECT_EQ(screenNumber("0803000"), "08030");
}

TEST_F(RuntimeTest, AScriptRunsAgainstTheScreenAndClosesIt) {
  ASSERT_FALSE(start(signOnArgs()));
  const int code = process_->runScript(
      "set cCustId c100\nset cName \"Acme Stores\"\nexpect cCustId C100\nexpect cName "
      "\"Acme Stores\"\n");
  EXPECT_EQ(code, automation::ScriptPassed) << out_.str();
  EXPECT_EQ(process_->close(code), 0);
  EXPECT_EQ(screen_.unloads, 1);
}

TEST_F(RuntimeTest, AFailedExpectationEndsTheProcessWithOne) {
  ASSERT_FALSE(start(signOnArgs()));
  const int code = process_->runScript("set cName Acme\nexpect cName Other\n");
  EXPECT_EQ(code, automation::ScriptFailed);
  EXPECT_NE(out_.str().find("FAIL 2: "), std::string::npos) << out_.str();
  EXPECT_EQ(process_->close(code), 1);
}

TEST_F(RuntimeTest, AnUnknownControlEndsTheProcessWithTwo) {
  ASSERT_FALSE(start(signOnArgs()));
  const int code = process_->runScript("# test\nset cNope 1\nset cName never\n");
  EXPECT_EQ(code, automation::ScriptBroken);
  EXPECT_NE(out_.str().find("ERROR 2: unknown control: cNope"), std::string::npos) << out_.str();
  EXPECT_EQ(process_->close(code), 2);
}

TEST_F(RuntimeTest, ASavedRecordReachesTheDatabase) {
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(process_->runScript("set cCustId C200\nset cName Bolt\nsave\n"), 0) << out_.str();
  process_->close(0);
  auto db = db::Database::open(database_);
  auto row = db->run("select Name from Customer where CustId = 'C200'");
  ASSERT_TRUE(row.step());
  EXPECT_EQ(std::get<std::string>(row.column(0)), "Bolt");
}

TEST_F(RuntimeTest, AModalFormIsServedTheScriptsNextCommands) {
  ASSERT_FALSE(start(signOnArgs()));
  const int code = process_->runScript(
      "click cmdDetail\nset cNote memo\nclick cmdOk\nexpect cName \"Back from memo\"\n");
  EXPECT_EQ(code, automation::ScriptPassed) << out_.str();
  EXPECT_FALSE(screen_.detailForm->shown());
}

TEST_F(RuntimeTest, AScriptEndingWhileAModalFormWaitsIsReported) {
  ASSERT_FALSE(start(signOnArgs()));
  process_->runScript("click cmdDetail\n");
  EXPECT_NE(out_.str().find("The script ended while a form waited for it."), std::string::npos)
      << out_.str();
}

}  // namespace
}  // namespace corvena::runtime::testing
