// QM18900 and the host screens it drives, run as the programs they are: the
// payment application Apply hands over to the clerk outlives QM18900, and
// QM18900 driven in turn has its detail lines form answered by requests.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "runtime/host_screen.h"
#include "screens/transfer/tests/transfer_fixture.h"

extern char** environ;

namespace corvena::transfer::testing {
namespace {

const std::string kPrograms = CORVENA_BINARY_DIR "/bin/";

class DrivenPrograms : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    // No desk here: a screen handed over closes after the clerk's script.
    ::unsetenv("QT_QPA_PLATFORM");
    ::signal(SIGPIPE, SIG_IGN);
  }
  void TearDown() override {
    ::unsetenv("CORVENA_HANDOVER_SCRIPT");
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    TransferTest::TearDown();
  }

  std::vector<std::string> signOn() const {
    return {"--db", path_, "--user", user_, "--company", company_, "--date", date_};
  }

  // The program on a script, to its end; its exit status.
  int runProgram(const std::string& program, const std::string& script) {
    const std::string file = dir_.file(program + ".script");
    std::ofstream(file) << script;
    std::vector<std::string> words{kPrograms + program, "--script", file};
    for (const auto& w : signOn()) words.push_back(w);
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
  }

  // The clerk types the script into the screen handed over, which reads it from
  // the pipe; how that screen ended. A screen already gone (adopted by this
  // process) lets the typing through, so the test never hangs on it.
  int clerkWorks(const std::string& pipe, const std::string& script) {
    int status = -1;
    std::thread adopted([&] {
      ::waitpid(-1, &status, 0);
      ::close(::open(pipe.c_str(), O_RDONLY | O_NONBLOCK));
    });
    const int fd = ::open(pipe.c_str(), O_WRONLY);
    EXPECT_EQ(::write(fd, script.data(), script.size()), static_cast<ssize_t>(script.size()));
    ::close(fd);
    adopted.join();
    return status;
  }
};

TEST_F(DrivenPrograms, ThePaymentApplicationApplyOpensOutlivesQM18900AndSavesTheClerksWork) {
  const std::string dm = debitMemo("K2", 100);
  const std::string out = run(batch("K1", creditMemo("K1", {60}), destination(1, "K2", "60")) +
                              "set cBatchHandling R\nsave\nexpect cStatus C\n");
  ASSERT_EQ(out.find("FAIL"), std::string::npos) << out;
  const Rows moved = rows("select ARRefNbr from XNATranDet");
  ASSERT_EQ(moved.size(), 1u);
  const std::string pipe = dir_.file("clerk");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  ::setenv("CORVENA_HANDOVER_SCRIPT", pipe.c_str(), 1);
  ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);

  EXPECT_EQ(runProgram("QM18900", "last 0\nline Spread1 1\nclick cmdApply\n"), 0);
  const int status = clerkWorks(
      pipe, "expect cCustID K2\nexpect cRefNbr " + moved[0] + "\nexpect cOrigDocAmt 60.00\n"
            "last 2\nexpect crefnbr1 " + dm + "\nset ctranamt 60\nsave\n");

  ASSERT_TRUE(WIFEXITED(status)) << "the payment application was killed with QM18900";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the clerk's script failed in the payment application";
  EXPECT_EQ(rows("select AdjgDocType, AdjdRefNbr, printf('%.2f', CuryAdjdAmt) from ARAdjust"
                 " where AdjgRefNbr = '" + moved[0] + "'"),
            Rows{"CM|" + dm + "|60.00"});
}

// The request that opens the form is answered once the form waits; those that
// work in it are answered as any; the one that lets it go once its OK is done.
TEST_F(DrivenPrograms, ADrivenScreensModalFormIsAnsweredByRequests) {
  const std::string cm = creditMemo("K1", {300});
  runtime::HostScreen screen(
      automation::DrivenProcess::start(kPrograms + "QM18900", signOn(), std::chrono::seconds(60)));
  for (const std::string& request : std::vector<std::string>{
           "set cSrcCustId K1", "set cSrcRefNbr " + cm, "line Spread1 new", "set cDestCustID K2",
        "set cDestAmt 300", "click cmdDetailLines", "line Spread2 new", "set cAcct_2 4000",
        "set cQty_2 1", "set cUnitPrice_2 300"})
    screen.request(request);
  try {
    screen.request("set cAcct_2 NOSUCH");
    ADD_FAILURE() << "an account not in the chart was taken in the detail lines form";
  } catch (const forms::RuntimeError& e) {
    EXPECT_EQ(runtime::hostErrorCode(e), automation::kErrRefused) << e.what();
  }
  screen.request("click cmdOK");
  screen.request("expect cLineTotal 300.00");
  screen.CloseScreen();
  EXPECT_EQ(rows("select d.DestCustID, l.Acct, printf('%.2f', l.TranAmt) from XNATranDet d"
                 " join XNATranDLn l on l.NATrBatNbr = d.NATrBatNbr"),
            Rows{"K2|4000|300.00"});
}

}  // namespace
}  // namespace corvena::transfer::testing
