// The host shell starts a screen as its own process with the sign-on context.
#include "platform/shell/parent_launcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/db/tests/test_database.h"

namespace corvena::shell {
namespace {

class ParentLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    // A stand-in screen: writes each argument it gets on a line of its own.
    program_ = (dir_ / "QM18200").string();
    std::ofstream(program_)
        << "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/args\"\n";
    ::chmod(program_.c_str(), 0755);
  }

  std::vector<std::string> receivedArguments() {
    std::ifstream in(dir_ / "args");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  static int waitFor(long pid) {
    int status = 0;
    ::waitpid(static_cast<pid_t>(pid), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  std::string program_;
  signon::SignOnContext context_{"/data/company 1.db", "CLERK1", "0060", Date{2026, 3, 2}};
};

TEST_F(ParentLauncher, TheScreenRunsAsItsOwnProcessWithTheSignOnContext) {
  const long pid = launchScreen(program_, context_);
  ASSERT_GT(pid, 0);
  EXPECT_NE(pid, ::getpid());
  EXPECT_EQ(waitFor(pid), 0);
  EXPECT_EQ(receivedArguments(),
            (std::vector<std::string>{"--db", "/data/company 1.db", "--user", "CLERK1", "--company",
                                      "0060", "--date", "2026-03-02"}));
}

TEST_F(ParentLauncher, StartParametersFollowTheContext) {
  const long pid = launchScreen(program_, context_, {"5", "1234"});
  ASSERT_GT(pid, 0);
  waitFor(pid);
  const auto args = receivedArguments();
  ASSERT_EQ(args.size(), 10u);
  EXPECT_EQ(args[8], "5");
  EXPECT_EQ(args[9], "1234");
}

TEST_F(ParentLauncher, TheContextTheScreenGetsResolvesToTheSameSignOn) {
  auto args = screenArguments(context_);
  const auto options = signon::takeSignOnOptions(args);
  const auto resolved = signon::resolveSignOn(options, [](const std::string&) { return std::nullopt; });
  ASSERT_TRUE(resolved);
  EXPECT_EQ(resolved->database, context_.database);
  EXPECT_EQ(resolved->user, "CLERK1");
  EXPECT_EQ(resolved->company, "0060");
  EXPECT_EQ(resolved->businessDate, context_.businessDate);
  EXPECT_TRUE(args.empty());
}

TEST_F(ParentLauncher, AMissingProgramIsReportedAsNotStarted) {
  EXPECT_EQ(launchScreen((dir_ / "QM19999").string(), context_), -1);
}

}  // namespace
}  // namespace corvena::shell
