// The shell's menu: the module's screens with their numbers and captions, and
// which of them are installed.
#include "platform/shell/parent_menu.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/db/tests/test_database.h"

namespace corvena::shell {
namespace {

class ParentMenu : public ::testing::Test {
 protected:
  void install(const std::string& program, bool executable = true) {
    const auto path = dir_ / program;
    std::ofstream(path) << "#!/bin/sh\n";
    ::chmod(path.c_str(), executable ? 0755 : 0644);
  }

  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
};

TEST_F(ParentMenu, ListsTheFiveModuleScreensFirstWithTheirCaptions) {
  const auto screens = menuScreens({dir_.string()});
  ASSERT_GE(screens.size(), 5u);
  EXPECT_EQ(screens[0].program, "QM18100");
  EXPECT_EQ(screens[1].number, "QM.182.00");
  EXPECT_EQ(screens[1].caption, "National Account Setup Screen (QM.182.00)");
  EXPECT_EQ(screens[3].caption, "National Accounts Payment Inquiry (QM.188.00)");
  EXPECT_EQ(screens[4].caption, "National Account Transfer Credit Memo/Payment (QM.189.00)");
}

TEST_F(ParentMenu, OnlyAnInstalledProgramIsAvailable) {
  install("QM18200");
  const auto screens = menuScreens({dir_.string()});
  EXPECT_FALSE(screens[0].available());
  ASSERT_TRUE(screens[1].available());
  EXPECT_EQ(*screens[1].path, (dir_ / "QM18200").string());
}

TEST_F(ParentMenu, AFileThatCannotBeRunIsNotAProgram) {
  install("QM18300", false);
  EXPECT_FALSE(locateProgram("QM18300", {dir_.string()}));
}

TEST_F(ParentMenu, TheFirstDirectoryHoldingTheProgramWins) {
  const auto second = dir_ / "second";
  std::filesystem::create_directories(second);
  install("QM18800");
  std::ofstream(second / "QM18800") << "#!/bin/sh\n";
  ::chmod((second / "QM18800").c_str(), 0755);
  EXPECT_EQ(*locateProgram("QM18800", {second.string(), dir_.string()}),
            (second / "QM18800").string());
}

}  // namespace
}  // namespace corvena::shell
