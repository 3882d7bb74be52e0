// The last batch number: only what numbering can continue is taken, and a
// setup shown before a payment batch was numbered never writes the old number back.
#include "platform/db/database.h"
#include "screens/setup/tests/setup_fixture.h"

namespace corvena::qm18200::testing {
namespace {

TEST_F(SetupScreen, TheLastBatchNumberTakesOnlyWhatNumberingCanContinue) {
  storeSetup("1010", "00-000-00", "0000000005");
  const auto run1 = run(
      "set cLastNABatNbr ABC\nset cLastNABatNbr -1\nset cLastNABatNbr 9999999999\n"
      "set cLastNABatNbr 0000000042\nsave\n");
  std::size_t refused = 0;
  for (auto at = run1.output.find("REFUSED cLastNABatNbr"); at != std::string::npos;
       at = run1.output.find("REFUSED cLastNABatNbr", at + 1))
    ++refused;
  EXPECT_EQ(refused, 3u) << run1.output;
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|0000000042"});
}

TEST_F(SetupScreen, ASetupShownBeforeABatchWasNumberedCannotWriteTheOldNumberBack) {
  storeSetup("1010", "00-000-00", "0000000005");
  screens::testing::ScreenUnderTest s(definition(), signedOn());
  ASSERT_FALSE(s.ended()) << s.output();
  s.run("set cWashAcct 1020\n");
  {
    auto db = db::Database::open(database_);
    db::Transaction tx(*db);
    db->run("AutoNbr_Next 'XNAPaymentAutoNbr'").step();
    tx.commit();
  }
  s.run("save\n");
  s.close(0);
  EXPECT_NE(s.output().find("REFUSED save"), std::string::npos) << s.output();
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|0000000006"});
}

}  // namespace
}  // namespace corvena::qm18200::testing
