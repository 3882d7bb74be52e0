#include "platform/signon/shell_presence.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/db/tests/test_database.h"

namespace corvena::signon {
namespace {

class ShellPresenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    path_ = (dir_ / "shell").string();
  }
  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  std::string path_;
};

TEST_F(ShellPresenceTest, NoFileIsNoShell) {
  EXPECT_FALSE(findShellPresence(path_));
}

TEST_F(ShellPresenceTest, APublishedShellIsFoundWithItsContext) {
  publishShellPresence({::getpid(), true, SignOnContext{"/c.db", "ANN", "C1", Date{2026, 3, 1}}},
                       path_);
  const auto found = findShellPresence(path_);
  ASSERT_TRUE(found);
  EXPECT_TRUE(found->loginReady);
  ASSERT_TRUE(found->context);
  EXPECT_EQ(found->context->company, "C1");
  EXPECT_EQ(found->context->businessDate.iso(), "2026-03-01");
}

TEST_F(ShellPresenceTest, ALoginInProgressIsNotReady) {
  publishShellPresence({::getpid(), false, std::nullopt}, path_);
  const auto found = findShellPresence(path_);
  ASSERT_TRUE(found);
  EXPECT_FALSE(found->loginReady);
  EXPECT_FALSE(found->context);
}

TEST_F(ShellPresenceTest, AFileLeftByAnEndedShellIsNoShell) {
  publishShellPresence({0x7ffffff0, true, std::nullopt}, path_);
  EXPECT_FALSE(findShellPresence(path_));
}

TEST_F(ShellPresenceTest, AFileOthersCouldHaveWrittenIsNoShell) {
  using std::filesystem::perms;
  const SignOnContext victim{"/c.db", "ANN", "C1", Date{2026, 3, 1}};
  publishShellPresence({::getpid(), true, victim}, path_);
  ASSERT_TRUE(findShellPresence(path_));
  std::filesystem::permissions(path_, perms::group_write | perms::others_write,
                               std::filesystem::perm_options::add);
  EXPECT_FALSE(findShellPresence(path_));
  publishShellPresence({::getpid(), true, victim}, path_);
  std::filesystem::permissions(dir_, perms::others_exec, std::filesystem::perm_options::add);
  EXPECT_FALSE(findShellPresence(path_));
}

// The file carries the sign-on's ticket: it is written only where nobody else
// may look, as a file nobody else could have made first.
TEST_F(ShellPresenceTest, ItIsWrittenOnlyIntoADirectoryThatIsTheUsersAlone) {
  using std::filesystem::perms;
  const SignOnContext signedOn{"/c.db", "ANN", "C1", Date{2026, 3, 1}, "", "T1"};
  const auto missing = dir_ / "made" / "shell";
  publishShellPresence({::getpid(), true, signedOn}, missing.string());
  EXPECT_EQ(std::filesystem::status(missing.parent_path()).permissions(), perms::owner_all);
  EXPECT_EQ(std::filesystem::status(missing).permissions(), perms::owner_read | perms::owner_write);
  std::filesystem::permissions(dir_, perms::others_exec | perms::others_read,
                               std::filesystem::perm_options::add);
  try {
    publishShellPresence({::getpid(), true, signedOn}, path_);
    FAIL() << "written into a directory others may enter";
  } catch (const PresenceRefused& e) {
    EXPECT_NE(std::string(e.what()).find("other users may enter the directory " + dir_.string()),
              std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(path_));
  EXPECT_FALSE(std::filesystem::exists(path_ + ".tmp"));
}

TEST_F(ShellPresenceTest, ALinkInPlaceOfTheDirectoryIsRefused) {
  const auto link = dir_ / "link";
  std::filesystem::create_directory_symlink(dir_, link);
  EXPECT_THROW(publishShellPresence({::getpid(), false, std::nullopt}, (link / "shell").string()),
               PresenceRefused);
}

// Root can make the directory another user's, as that user could have made it first.
TEST_F(ShellPresenceTest, AnotherUsersDirectoryIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a directory to another user";
  ASSERT_EQ(::chown(dir_.c_str(), 65534, 65534), 0);
  try {
    publishShellPresence({::getpid(), false, std::nullopt}, path_);
    FAIL() << "written into another user's directory";
  } catch (const PresenceRefused& e) {
    EXPECT_NE(std::string(e.what()).find("belongs to another user"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(ShellPresenceTest, WithdrawnIsGone) {
  publishShellPresence({::getpid(), true, std::nullopt}, path_);
  withdrawShellPresence(path_);
  EXPECT_FALSE(findShellPresence(path_));
}

}  // namespace
}  // namespace corvena::signon
