#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "platform/db/database.h"
#include "runtime/tests/runtime_fixture.h"

namespace corvena::runtime::testing {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the test screen as its own process with a script file.
class ScreenProgramRunTest : public RuntimeTest {
 protected:
  // Runs the test screen as its own process with the script written to a file, or
  // with --script naming scriptPath when one is given.
  ProgramRun runProgram(const std::vector<std::string>& args, const std::string& script,
                        std::string scriptPath = {}) {
    if (scriptPath.empty()) scriptPath = (dir_ / "run.script").string();
    const auto errPath = (dir_ / "stderr.txt").string();
    std::ofstream(scriptPath) << script;
    std::string command =
        "env -u CORVENA_DB -u CORVENA_USER -u CORVENA_COMPANY -u CORVENA_DATE "
        "CORVENA_SHELL_PRESENCE=" +
        (dir_ / "no-shell").string() + " " + CORVENA_TEST_SCREEN;
    for (const auto& a : args) command += " '" + a + "'";
    command += " --script " + scriptPath + " 2>" + errPath;
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[512];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errPath);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
  }
  std::int64_t customers() {
    auto db = db::Database::open(database_);
    auto count = db->run("select count(*) from Customer");
    count.step();
    return std::get<std::int64_t>(count.column(0));
  }
};

TEST_F(ScreenProgramRunTest, AScriptThatHoldsExitsZeroAndSaves) {
  const auto run = runProgram(
      signOnArgs(), "set cCustId c1\nset cName \"Acme Stores\"\nsave\nexpect cCustId C1\n");
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(customers(), 1);
}

TEST_F(ScreenProgramRunTest, AFailedExpectationExitsOne) {
  const auto run = runProgram(signOnArgs(), "set cName Acme\nshow cName\nexpect cName Other\n");
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out, "SHOW cName: Acme\nFAIL 3: cName is Acme, expected Other\n");
}

TEST_F(ScreenProgramRunTest, AScriptErrorExitsTwo) {
  const auto run = runProgram(signOnArgs(), "set cName Acme\npress cmdDetail\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.out, "ERROR 2: unknown command: press\n");
  const auto directory = runProgram(signOnArgs(), "", dir_.string());
  EXPECT_EQ(directory.exitCode, 2);
  EXPECT_NE(directory.err.find("is a directory"), std::string::npos) << directory.err;
}

TEST_F(ScreenProgramRunTest, NoSignOnExitsThreeAndWritesNothing) {
  const auto run = runProgram({}, "set cCustId C1\nset cName Acme\nsave\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("No sign-on"), std::string::npos) << run.err;
  EXPECT_EQ(customers(), 0);
}

TEST_F(ScreenProgramRunTest, AMissingDatabaseExitsThreeWithTheReason) {
  auto args = signOnArgs();
  args[1] = (dir_ / "absent.db").string();
  const auto run = runProgram(args, "set cName Acme\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("absent.db"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace corvena::runtime::testing
