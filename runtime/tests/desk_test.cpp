// After a script, a screen program draws itself into the PNG that
// CORVENA_SCREENSHOT names; without the request the script's result stands.
#include "platform/program/desk.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "runtime/tests/runtime_fixture.h"

namespace corvena::runtime::testing {
namespace {

class DesktopEntry : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  void TearDown() override {
    ::unsetenv("CORVENA_SCREENSHOT");
    RuntimeTest::TearDown();
  }
};

TEST_F(DesktopEntry, WithoutARequestTheScriptResultStands) {
  ::unsetenv("CORVENA_SCREENSHOT");
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(program::screenshotAfterScript(process_->session(), 1), 1);
  EXPECT_EQ(program::screenshotAfterScript(process_->session(), 0), 0);
}

TEST_F(DesktopEntry, TheScreenIsDrawnIntoTheAskedForPicture) {
  const auto png = dir_ / "screen.png";
  if (!program::desktopAvailable()) GTEST_SKIP() << "built without the desktop renderer";
  ::setenv("CORVENA_SCREENSHOT", png.c_str(), 1);
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(program::screenshotAfterScript(process_->session(), 0), 0);
  std::ifstream in(png, std::ios::binary);
  char magic[4] = {};
  in.read(magic, 4);
  EXPECT_EQ(std::string(magic + 1, 3), "PNG");
}

TEST_F(DesktopEntry, APictureThatCannotBeWrittenFailsTheRun) {
  const auto png = dir_ / "no-such-dir" / "screen.png";
  ::setenv("CORVENA_SCREENSHOT", png.c_str(), 1);
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(program::screenshotAfterScript(process_->session(), 0), 1);
  EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace corvena::runtime::testing
