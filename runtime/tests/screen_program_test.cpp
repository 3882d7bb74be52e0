#include "runtime/tests/runtime_fixture.h"

namespace corvena::runtime::testing {
namespace {

TEST(ScreenProgram, TheScreenNumberIsTheProgramsDigits) {
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
