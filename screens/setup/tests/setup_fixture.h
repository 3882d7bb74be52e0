#pragma once
// A fresh company database per test with a few accounts and subaccounts, and
// QM18200 run on it as its program runs: signed on, driven by a screen script.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/tests/test_database.h"
#include "runtime/screen_program.h"

namespace corvena::qm18200::testing {

struct ScriptRun {
  int exitCode = 0;
  std::string output;
};

class SetupScreen : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static runtime::ScreenDefinition definition();
  runtime::ScreenOptions signedOn() const;
  // Runs the screen with the script and closes it as its program does.
  ScriptRun run(const std::string& script);
  void storeSetup(const std::string& account, const std::string& sub, const std::string& batch);
  // XNASetup rows as "vond1|vond2|LastNABatNbr".
  std::vector<std::string> setupRows();

  std::filesystem::path dir_;
  db::testing::ScratchDir scratch_;  // the company database: a file, or one on the server under test
  std::string database_;
};

}  // namespace corvena::qm18200::testing
