// Saving the setup row: created on an empty table, updated afterwards.
#include "screens/setup/tests/setup_fixture.h"

namespace corvena::qm18200::testing {
namespace {

using SaveSetup = SetupScreen;

TEST_F(SaveSetup, EmptyTableOpensWithEmptyFieldsAndSaveCreatesTheRow) {
  const auto run = this->run(R"(
expect cWashAcct ""
expect cWashSub ""
expect cLastNABatNbr ""
set cWashAcct 1010
set cWashSub 00-000-00
set cLastNABatNbr 000123
save
expect cWashAcct 1010
)");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|000123"});
}

TEST_F(SaveSetup, SavingAgainUpdatesTheOneRow) {
  storeSetup("1010", "00-000-00", "000123");
  const auto run = this->run(R"(
expect cWashAcct 1010
expect cWashSub 00-000-00
expect cLastNABatNbr 000123
set cWashAcct 1020
set cLastNABatNbr 000200
save
)");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1020|00-000-00|000200"});
}

TEST_F(SaveSetup, TheSavedRowIsShownWhenTheScreenOpensAgain) {
  auto first = run("set cWashAcct 1020\nset cWashSub 01-100-00\nset cLastNABatNbr 7\nsave\n");
  ASSERT_EQ(first.exitCode, 0) << first.output;
  const auto second =
      run("expect cWashAcct 1020\nexpect cWashSub 01-100-00\nexpect cLastNABatNbr 7\n");
  EXPECT_EQ(second.exitCode, 0) << second.output;
}

}  // namespace
}  // namespace corvena::qm18200::testing
