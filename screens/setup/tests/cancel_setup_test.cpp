// Cancel reads the stored row again and shows it.
#include "screens/setup/tests/setup_fixture.h"

namespace corvena::qm18200::testing {
namespace {

using CancelSetup = SetupScreen;

TEST_F(CancelSetup, EditThenCancelShowsTheStoredValues) {
  storeSetup("1010", "00-000-00", "000123");
  const auto run = this->run(R"(
set cWashAcct 1020
set cWashSub 01-100-00
set cLastNABatNbr 000999
expect cWashAcct 1020
cancel
expect cWashAcct 1010
expect cWashSub 00-000-00
expect cLastNABatNbr 000123
)");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|000123"});
}

TEST_F(CancelSetup, CancelOnAnEmptyTableEmptiesTheFieldsAndWritesNothing) {
  const auto run = this->run(R"(
set cWashAcct 1010
set cLastNABatNbr 5
cancel
expect cWashAcct ""
expect cLastNABatNbr ""
)");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(setupRows().empty());
}

}  // namespace
}  // namespace corvena::qm18200::testing
