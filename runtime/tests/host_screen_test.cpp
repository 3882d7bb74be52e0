// The host screens 0801000 and 0803000 driven through HostScreen as the
// releases drive them: each its own process, the program a clerk opens.
#include "runtime/host_screen.h"

#include <set>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>

#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "platform/forms/session.h"
#include "runtime/host/host_process.h"
#include "runtime/host_error_report.h"
#include "runtime/text_value.h"

namespace corvena::runtime {
namespace {

class DrivenHostScreen : public ::testing::Test {
 protected:
  DrivenHostScreen() {
    ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
    demo::fillDemo(*db::Database::create(dir_.file("company.db")));
    host_.signOn = signon::SignOnContext{dir_.file("company.db"), "CLERK", "DEMO", Date{2026, 12, 31}};
  }

  std::unique_ptr<HostScreen> start(std::string_view program) {
    std::int16_t iErr = -1;
    std::int32_t lErr = -1;
    auto screen = StartAppAndAutomate(program, iErr, lErr);
    EXPECT_EQ(iErr, 0) << lErr;
    return screen;
  }
  // The host's number of what the call raised; 0 when it raised nothing.
  template <class Call>
  static int raised(Call call, std::string* description = nullptr) {
    try {
      call();
    } catch (const forms::RuntimeError& e) {
      if (description) *description = e.description();
      return hostErrorCode(e);
    }
    return 0;
  }
  std::string scalar(const std::string& sql) {
    const auto db = db::Database::open(dir_.file("company.db"));
    auto st = db->prepare(sql);
    return st.step() ? db::rowText(st) : "";
  }

  db::testing::ScratchDir dir_;
  host::HostProcess host_{host::inProcessServices()};
  host::HostProcessScope scope_{host_};
  forms::Session session_;  // the caller's, whose status log the error report writes
  forms::SessionScope sessionScope_{session_};
};

TEST_F(DrivenHostScreen, ValuesWrittenAsTextFloatIntegerOrControlReadBackAndTheBatchReleases) {
  const std::int64_t statementsBefore = automation::DrivenProcess::screenStatements();
  auto memo = start("0801000.exe");
  auto controls = memo->ScreenControls();
  memo->PrepareScreen(false);
  controls.ControlByName("cbathandling").ControlValue("Release Now");
  controls.ControlByName("CCTRLTOT").ControlValue(200000.0);  // typed in full, not as 2e+05
  controls.ControlByName("cCustID").ControlValue("NATL-AUTO");
  controls.ControlByName("corigdocamt").ControlValue(controls.ControlByName("cctrltot"));
  controls.ControlByName("cProjectID_Hdr").ControlValue("STORE-REFIT");
  const auto lineLevel =
      controls.ControlByName("cunitprice").ControlProperties().PropertyByName("Level").PropertyValue();
  memo->StartNewAtLevel(lineLevel);
  controls.ControlByName("cAcct").ControlValue("4000");
  controls.ControlByName("cqty").ControlValue(std::int16_t{2});
  controls.ControlByName("cUnitPrice").ControlValue(100000.0);
  EXPECT_EQ(Val(controls.ControlByName("cqty").ControlValue()), 2);
  EXPECT_EQ(Trim(controls.ControlByName("corigdocamt").ControlValue()), "200000.00");
  std::int16_t state = 0;
  memo->LevelEditState("1", state);
  EXPECT_NE(state, 3);
  memo->SaveScreen();
  memo->LevelEditState("1", state);
  EXPECT_EQ(state, 3);
  const std::string ref = Trim(controls.ControlByName("crefnbr").ControlValue());
  memo->StartNewAtLevel("Batch");
  EXPECT_EQ(Trim(memo->ScreenErrorText()), "");
  memo->CloseScreen();
  EXPECT_EQ(scalar("SELECT printf('%.2f', CuryDocBal) || Rlsed FROM ARDoc WHERE RefNbr = '" + ref + "'"),
            "200000.001");
  // The screen told at its end what it ran: at least its save and the release.
  EXPECT_GT(automation::DrivenProcess::screenStatements() - statementsBefore, 5);
}

TEST_F(DrivenHostScreen, PropertiesReadAndWritten) {
  auto pay = start("0803000");
  auto properties = [&](const char* control) {
    return pay->ScreenControls().ControlByName(control).ControlProperties();
  };
  EXPECT_EQ(properties("crefnbr").PropertyByName("Level").PropertyValue(), "1");
  EXPECT_EQ(properties("crefnbr1").PropertyByName("level").PropertyValue(), "2");
  EXPECT_EQ(properties("cCustID").PropertyByName("BlankErr").PropertyValue(), "True");
  EXPECT_EQ(properties("ccrtot").PropertyByName("Enabled").PropertyValue(), "False");
  properties("lxNAFlag").PropertyByName("caption").PropertyValue("Processing National Account");
  EXPECT_EQ(properties("LXNAFLAG").PropertyByName("caption").PropertyValue(),
            "Processing National Account");
}

TEST_F(DrivenHostScreen, GridRowsWalkedAndAnAmountTypedIntoOne) {
  auto pay = start("0803000");
  auto controls = pay->ScreenControls();
  controls.ControlByName("cCustID").ControlValue("NATL-AUTO");
  controls.ControlByName("cRefNbr").ControlValue("TCHK7");
  std::int16_t state = 0;
  std::set<std::string> references;
  for (pay->GridFirst("2", state); state == 2; pay->GridNext("2", state))
    references.insert(controls.ControlByName("crefnbr1").ControlValue());
  EXPECT_GT(references.size(), 1u);  // each row's own value, not the first row's kept
  pay->GridFirst("2", state);
  const std::string before = controls.ControlByName("ctranamt").ControlValue();
  controls.ControlByName("ctranamt").ControlValue(1.0);
  EXPECT_NE(controls.ControlByName("ctranamt").ControlValue(), before);
  controls.ControlByName("cOrigDocAmt").ControlValue(1.0);
  pay->SaveScreen();
  EXPECT_EQ(scalar("SELECT printf('%.2f', SUM(CuryAdjdAmt)) FROM ARAdjust WHERE AdjgRefNbr = 'TCHK7'"),
            "1.00");
}

// A move on answered here, without a request, lands where the screen's own
// would: the same state, then the same row's values, the last row's too.
TEST_F(DrivenHostScreen, AMoveAnsweredHereAgreesWithTheScreensOwn) {
  auto pay = start("0803000");
  auto controls = pay->ScreenControls();
  controls.ControlByName("cCustID").ControlValue("NATL-AUTO");
  controls.ControlByName("cRefNbr").ControlValue("TCHK7");
  const auto screensOwnWalk = [&] {
    std::vector<std::string> rows;
    for (auto answer = pay->request("row 2 first"); answer.starts_with("2 ");
         answer = pay->request("row 2 next"))
      rows.push_back(Trim(pay->request("get crefnbr1")));
    return rows;
  };
  const std::vector<std::string> rows = screensOwnWalk();
  ASSERT_GT(rows.size(), 2u);
  std::int16_t state = 0;
  pay->GridFind("2", "crefnbr1", rows[0], state, {{"ctranamt", 1.0}});
  const auto sent = automation::DrivenProcess::requestsSent();
  pay->GridNext("2", state);
  EXPECT_EQ(automation::DrivenProcess::requestsSent(), sent);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(Trim(controls.ControlByName("crefnbr1").ControlValue()), rows[1]);
  pay->GridFind("2", "crefnbr1", rows.back(), state);
  pay->GridNext("2", state);
  EXPECT_EQ(state, 0);
  EXPECT_EQ(Trim(controls.ControlByName("crefnbr1").ControlValue()), rows.back());
  EXPECT_EQ(screensOwnWalk(), rows);
  EXPECT_EQ(Val(controls.ControlByName("cApplTotal").ControlValue()), 1.0);
}

TEST_F(DrivenHostScreen, ARefusalArrivesAs2048WithTheHostMessageNumberLeading) {
  auto pay = start("0803000");
  auto controls = pay->ScreenControls();
  controls.ControlByName("cCustID").ControlValue("NATL-AUTO");
  controls.ControlByName("cRefNbr").ControlValue("TCHK9");
  controls.ControlByName("cOrigDocAmt").ControlValue(10.0);
  pay->SaveScreen();
  pay->StartNewAtLevel("Batch");  // within its batch the reference would recall the payment
  controls.ControlByName("cCustID").ControlValue("NATL-AUTO");
  std::string description;
  EXPECT_EQ(raised([&] { controls.ControlByName("cRefNbr").ControlValue("TCHK9"); }, &description),
            2048);
  EXPECT_EQ(Val(description), 3007);
  HostErrorReport report{.codeTexts = {{3007, "Duplicate reference number for customer NATL-AUTO"}}};
  EXPECT_EQ(ReportHostError(report, HostObjectErrorBase + 2048, description).line,
            "Duplicate reference number for customer NATL-AUTO");
}

// One request for the steps; after a refusal the report skips, the steps from
// the next one on in another, so the pairs typed are those the steps made one
// by one would type: the refused step's other pairs are not.
TEST_F(DrivenHostScreen, TypingStepsGoOnAfterASkippedRefusalAsStepsOneByOneWould) {
  auto pay = start("0803000");
  auto controls = pay->ScreenControls();
  pay->TypeValues({{"cCustID", "NATL-AUTO"}, {"cRefNbr", "TCHK9"}, {"cOrigDocAmt", "10"}});
  pay->SaveScreen();
  pay->StartNewAtLevel("Batch");
  const std::string bank = controls.ControlByName("cBankAcct").ControlValue();
  const auto before = automation::DrivenProcess::requestsSent();
  const HostErrorReport skipping{.skippedCodes = {3007}};
  typingSteps(skipping, *pay,
              {{{"cCustID", "NATL-AUTO"}},
               {{"cRefNbr", "TCHK9"}, {"cBankAcct", "9999"}},
               {{"cOrigDocAmt", HostAmountText(25)}}});
  EXPECT_EQ(automation::DrivenProcess::requestsSent() - before, 2);
  EXPECT_EQ(controls.ControlByName("cBankAcct").ControlValue(), bank);
  EXPECT_EQ(Val(controls.ControlByName("cOrigDocAmt").ControlValue()), 25.0);
  EXPECT_THROW(typingSteps({}, *pay, {{{"cRefNbr", "TCHK9"}}, {{"cOrigDocAmt", "30"}}}), ReleaseEnded);
  EXPECT_EQ(Val(controls.ControlByName("cOrigDocAmt").ControlValue()), 25.0);
}

TEST_F(DrivenHostScreen, AnUnknownControlOrPropertyOrALevelNotOnTheScreenIs2050) {
  auto pay = start("0803000");
  EXPECT_EQ(raised([&] { pay->ScreenControls().ControlByName("cNoSuch").ControlValue(); }), 2050);
  EXPECT_EQ(raised([&] {
              pay->ScreenControls().ControlByName("cRefNbr").ControlProperties()
                  .PropertyByName("NoSuch").PropertyValue();
            }),
            2050);
  std::int16_t state = 0;
  EXPECT_EQ(raised([&] { pay->GridNext("Header", state); }), 2050);
  pay->CloseScreen();
  EXPECT_EQ(raised([&] { pay->SaveScreen(); }), 2050);
}

TEST_F(DrivenHostScreen, AKilledScreenIsAFatalErrorAtOnce) {
  auto pay = start("0803000");
  ::kill(static_cast<pid_t>(pay->processId()), SIGKILL);
  const auto began = std::chrono::steady_clock::now();
  std::string description;
  const int code = raised([&] { pay->SaveScreen(); }, &description);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2));
  EXPECT_EQ(code, 2049);
  EXPECT_EQ(ReportHostError({}, HostObjectErrorBase + code, description).errorClass, "FATAL");
}

TEST_F(DrivenHostScreen, AScreenThatStopsAnsweringIsAFatalErrorWithinTheTimeout) {
  ::setenv("CORVENA_AUTOMATION_TIMEOUT", "3", 1);
  auto pay = start("0803000");
  ::unsetenv("CORVENA_AUTOMATION_TIMEOUT");
  ::kill(static_cast<pid_t>(pay->processId()), SIGSTOP);
  EXPECT_EQ(raised([&] { pay->SaveScreen(); }), 2049);
}

TEST_F(DrivenHostScreen, StartUpFailuresComeThroughIErr) {
  std::int16_t iErr = 0;
  std::int32_t lErr = 0;
  EXPECT_EQ(StartAppAndAutomate("0899000.exe", iErr, lErr), nullptr);
  EXPECT_EQ(iErr, 7519);
  host_.signOn->database = dir_.file("missing.db");
  EXPECT_EQ(StartAppAndAutomate("0801000.exe", iErr, lErr), nullptr);
  EXPECT_EQ(iErr, 7520);
  host_.signOn.reset();
  EXPECT_EQ(StartAppAndAutomate("0801000.exe", iErr, lErr), nullptr);
  EXPECT_EQ(iErr, 7506);
}

}  // namespace
}  // namespace corvena::runtime
