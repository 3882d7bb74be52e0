// PARENT's menu: unavailable screens cannot be started; an available one runs
// as its own process with the sign-on context.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/db/tests/test_database.h"
#include "platform/shell/parent_window.h"
#include "platform/signon/user_directory.h"

namespace corvena::shell {
namespace {

class Menu : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "parent_ui_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
    // A stand-in QM18200 that writes down the arguments it was started with.
    const auto program = dir_ / "QM18200";
    std::ofstream(program)
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/args\"\n";
    ::chmod(program.c_str(), 0755);
  }

  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  signon::SignOnContext context_{"/data/company.db", "CLERK1", "NORTH", Date{2026, 3, 2}};
};

TEST_F(Menu, AScreenNotInstalledIsShownButCannotBeStarted) {
  MenuWindow menu(context_, menuScreens({dir_.string()}));
  ASSERT_GE(menu.list()->count(), 5);
  EXPECT_FALSE(menu.list()->item(0)->flags() & Qt::ItemIsEnabled);
  EXPECT_TRUE(menu.list()->item(0)->text().contains("not installed"));
  EXPECT_TRUE(menu.list()->item(1)->flags() & Qt::ItemIsEnabled);
  EXPECT_TRUE(menu.list()->item(1)->text().contains("National Account Setup Screen (QM.182.00)"));
  EXPECT_FALSE(menu.start(0));
}

TEST_F(Menu, StartingAScreenRunsItsProgramWithTheContext) {
  MenuWindow menu(context_, menuScreens({dir_.string()}));
  ASSERT_TRUE(menu.start(1));
  int status = 0;
  ASSERT_GT(::wait(&status), 0);
  std::ifstream in(dir_ / "args");
  std::vector<std::string> args;
  for (std::string line; std::getline(in, line);) args.push_back(line);
  EXPECT_EQ(args, context_.toArguments());
}

TEST_F(Menu, TheBottomLineKeepsCompanyUserAndDateOnceAScreenIsStarted) {
  MenuWindow menu(context_, menuScreens({dir_.string()}));
  menu.show();
  ASSERT_TRUE(menu.start(1));
  int status = 0;
  ::wait(&status);
  EXPECT_TRUE(menu.statusBar()->currentMessage().startsWith("Started"));
  const auto* signedOn = menu.findChild<QLabel*>("signedOn");
  ASSERT_NE(signedOn, nullptr);
  EXPECT_TRUE(signedOn->isVisible());
  EXPECT_TRUE(signedOn->text().startsWith("Company NORTH   User CLERK1   Business date 2026-03-02"));
}

TEST_F(Menu, AScreenTheUserMayNotOpenIsShownButCannotBeStarted) {
  const std::string database = (dir_ / "company.db").string();
  {
    auto db = db::Database::create(database);
    signon::UserDirectory users(*db);
    users.addUser("CLERK1", "Clerk", "pw", false);
    users.grant("CLERK1", "QM18300", "V");
  }
  signon::SignOnContext context = context_;
  context.database = database;
  MenuWindow menu(context, menuScreens({dir_.string()}));
  EXPECT_TRUE(menu.list()->item(1)->text().contains("(no rights)"));
  EXPECT_FALSE(menu.list()->item(1)->flags() & Qt::ItemIsEnabled);
  EXPECT_FALSE(menu.start(1));
}

// Rights on Users and Rights do not open it: only an administrator keeps users.
TEST_F(Menu, UsersAndRightsIsOfferedToAdministratorsOnly) {
  const std::string database = (dir_ / "company.db").string();
  {
    auto db = db::Database::create(database);
    signon::UserDirectory users(*db);
    users.addUser("BOSS", "Boss", "pw", true);
    users.addUser("CLERK1", "Clerk", "pw", false);
    users.grant("CLERK1", "QM18200", "V");
    users.grant("CLERK1", "9810000", "VIUDR");
  }
  std::filesystem::copy_file(dir_ / "QM18200", dir_ / "9810000");
  const auto screens = menuScreens({dir_.string()});
  const int admin = static_cast<int>(std::find_if(screens.begin(), screens.end(),
                                                  [](const auto& s) { return s.administration; }) -
                                     screens.begin());
  ASSERT_EQ(screens.at(admin).caption, "Users and Rights (98.100.00)");
  signon::SignOnContext context = context_;
  context.database = database;
  MenuWindow clerk(context, screens);
  EXPECT_TRUE(clerk.list()->item(admin)->text().contains("(no rights)"));
  EXPECT_FALSE(clerk.start(admin));
  EXPECT_TRUE(clerk.list()->item(1)->flags() & Qt::ItemIsEnabled);
  context.user = "BOSS";
  MenuWindow boss(context, screens);
  EXPECT_TRUE(boss.list()->item(admin)->flags() & Qt::ItemIsEnabled);
}

}  // namespace
}  // namespace corvena::shell
