#pragma once
// A tiny screen of the runtime's tests, run as a screen process with a fake host
// shell, its own company database and its own registry file.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/host_records.h"
#include "platform/db/tests/test_database.h"
#include "platform/forms/headless_ui.h"
#include "runtime/registry_store.h"
#include "runtime/host/kelpapi.h"
#include "runtime/screen_program.h"
#include "runtime/tests/program/test_screen.h"

namespace corvena::runtime::testing {

// The host shell as a test wants it: running or not, and the login answers it gives.
struct FakeShell {
  bool running = false;
  // IsLoginReady's answers in turn; the last one repeats.
  std::vector<int> loginStates{1};
  std::optional<signon::SignOnContext> contextAtLogin;
  int polls = 0;
  int pumps = 0;
  int prepared = 0;
  std::vector<std::string> started;
  std::string libraryVersion{host::HostLibraryVersion};

  host::HostServices services();
};

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the test screen with these arguments; nothing when it is up.
  std::optional<int> start(std::vector<std::string> args);
  std::vector<std::string> signOnArgs() const;
  void storeRegistry(std::string_view name, RegistryValue value);
  std::vector<std::string> messages() const;

  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  std::string database_;
  std::string registry_;
  FakeShell shell_;
  TestScreen screen_;
  ScreenDefinition definition_;
  std::ostringstream out_;
  std::ostringstream err_;
  std::unique_ptr<ScreenProcess> process_;
};

}  // namespace corvena::runtime::testing
