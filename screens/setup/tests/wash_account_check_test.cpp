// The wash account and subaccount are checked by the framework from the
// controls' properties: a blank or unknown value is refused with its message.
#include <gmock/gmock.h>

#include "platform/forms/messages.h"
#include "screens/setup/tests/setup_fixture.h"

namespace corvena::qm18200::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using WashAccountCheck = SetupScreen;

// The framework's message text with its first argument filled, up to the second.
std::string messageStart(int number, const std::string& first) {
  std::string text = forms::messageText(number);
  text.replace(text.find("%1"), 2, first);
  return text.substr(0, text.find('%'));
}

TEST_F(WashAccountCheck, AnUnknownAccountIsRefusedAndNothingIsWritten) {
  const auto run = this->run(R"(
set cWashAcct 9999
expect cWashAcct ""
set cWashSub 00-000-00
set cLastNABatNbr 1
save
)");
  EXPECT_THAT(run.output, HasSubstr(messageStart(forms::kMsgNotInList, "9999")));
  EXPECT_TRUE(setupRows().empty());
}

TEST_F(WashAccountCheck, APatternMatchingAccountsIsNotAnAccount) {
  const auto run = this->run(
      "set cWashAcct 10%\nexpect cWashAcct \"\"\nset cWashAcct 101_\nexpect cWashAcct \"\"\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_THAT(run.output, HasSubstr(messageStart(forms::kMsgNotInList, "10%")));
  EXPECT_THAT(run.output, HasSubstr("Wash Account"));
}

TEST_F(WashAccountCheck, ABlankAccountIsRefusedOnEntry) {
  storeSetup("1010", "00-000-00", "000123");
  const auto run = this->run("set cWashAcct \"\"\nexpect cWashAcct 1010\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_THAT(run.output, HasSubstr(forms::messageText(forms::kMsgFieldRequired).substr(0, 10)));
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|000123"});
}

TEST_F(WashAccountCheck, SavingWithoutAWashAccountIsRefusedAndWritesNothing) {
  const auto run = this->run("set cWashSub 00-000-00\nset cLastNABatNbr 1\nsave\n");
  EXPECT_THAT(run.output, HasSubstr("MESSAGE"));
  EXPECT_TRUE(setupRows().empty());
}

TEST_F(WashAccountCheck, AnInactiveSubaccountIsRefused) {
  const auto run = this->run("set cWashSub 99-999-99\nexpect cWashSub \"\"\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_THAT(run.output, HasSubstr(messageStart(forms::kMsgNotInList, "99-999-99")));
}

TEST_F(WashAccountCheck, AKnownAccountIsAcceptedWithoutAMessage) {
  const auto run = this->run("set cWashAcct 1020\nexpect cWashAcct 1020\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_THAT(run.output, Not(HasSubstr("MESSAGE")));
}

}  // namespace
}  // namespace corvena::qm18200::testing
