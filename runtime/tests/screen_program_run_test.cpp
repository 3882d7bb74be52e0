// The test screen run as its own program, as a clerk's script or a release
// runs one: exit codes by outcome, and driven request by request (--automate).
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>

#include "platform/automation/driven_process.h"
#include "platform/db/database.h"
#include "runtime/tests/runtime_fixture.h"
#include "runtime/text_value.h"

namespace corvena::runtime::testing {
namespace {

using automation::DrivenProcess;
constexpr std::chrono::seconds kAnswerTimeout{20};

struct ProgramRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// No sign-on comes from the environment or a shell of the one running the tests.
class ScreenProgramRunTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    for (const char* name : {"CORVENA_DB", "CORVENA_USER", "CORVENA_COMPANY", "CORVENA_DATE"})
      ::unsetenv(name);
    ::setenv("CORVENA_SHELL_PRESENCE", (dir_ / "no-shell").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("CORVENA_SHELL_PRESENCE");
    RuntimeTest::TearDown();
  }
  // Runs the test screen as its own process with the script written to a file, or
  // with --script naming scriptPath when one is given.
  ProgramRun runProgram(const std::vector<std::string>& args, const std::string& script,
                        std::string scriptPath = {}) {
    if (scriptPath.empty()) scriptPath = (dir_ / "run.script").string();
    const auto errPath = (dir_ / "stderr.txt").string();
    std::ofstream(scriptPath) << script;
    std::string command = CORVENA_TEST_SCREEN;
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

// Run by a script or driven by another program, the screen says why it did not start.
TEST_F(ScreenProgramRunTest, NoSignOnExitsThreeAndWritesNothing) {
  const auto run = runProgram({}, "set cCustId C1\nset cName Acme\nsave\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("No sign-on"), std::string::npos) << run.err;
  EXPECT_EQ(customers(), 0);
  try {
    DrivenProcess::start(CORVENA_TEST_SCREEN, {}, kAnswerTimeout);
    ADD_FAILURE() << "the screen started without a sign-on";
  } catch (const automation::StartFailure& failure) {
    EXPECT_EQ(failure.code, automation::kErrNotLoggedIn);
    EXPECT_NE(failure.description.find("No sign-on"), std::string::npos) << failure.description;
  }
}

TEST_F(ScreenProgramRunTest, AMissingDatabaseExitsThreeWithTheReason) {
  auto args = signOnArgs();
  args[1] = (dir_ / "absent.db").string();
  const auto run = runProgram(args, "set cName Acme\n");
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_NE(run.err.find("absent.db"), std::string::npos) << run.err;
}

TEST_F(ScreenProgramRunTest, DrivenEachRequestIsAnsweredAndTheSaveIsTheScreens) {
  auto screen = DrivenProcess::start(CORVENA_TEST_SCREEN, signOnArgs(), kAnswerTimeout);
  EXPECT_TRUE(screen->request("set cCustId c1").ok);
  EXPECT_TRUE(screen->request("set cName \"Acme Stores\"").ok);
  EXPECT_TRUE(screen->request("save").ok);
  EXPECT_EQ(Trim(screen->request("get CCUSTID").text), "C1");
  const auto unknown = screen->request("get cNoSuch");
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(unknown.number, automation::kErrObjectModel);
  EXPECT_EQ(Trim(screen->request("get cName").text), "Acme Stores");
  screen->close();
  EXPECT_EQ(customers(), 1);
}

}  // namespace
}  // namespace corvena::runtime::testing
