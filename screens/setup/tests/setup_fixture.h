#pragma once
// A fresh company database per test with a few accounts and subaccounts, and
// QM18200 run on it as its program runs: signed on, driven by a screen script.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/tests/test_database.h"
#include "runtime/screen_program.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::qm18200::testing {

using screens::testing::ScriptRun;

class SetupScreen : public ::testing::Test {
 protected:
  void SetUp() override;

  static runtime::ScreenDefinition definition();
  screens::testing::SignOn signedOn() const;
  // Runs the screen with the script and closes it as its program does.
  ScriptRun run(const std::string& script);
  void storeSetup(const std::string& account, const std::string& sub, const std::string& batch);
  // XNASetup rows as "vond1|vond2|LastNABatNbr".
  std::vector<std::string> setupRows();

  db::testing::ScratchDir scratch_;  // the company database: a file, or one on the server under test
  std::string database_;
};

}  // namespace corvena::qm18200::testing
