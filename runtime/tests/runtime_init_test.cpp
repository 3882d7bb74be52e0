#include "platform/program/exit_codes.h"
#include "platform/forms/messages.h"
#include "runtime/app_information.h"
#include "runtime/corvena_vbt_app.h"
#include "runtime/tests/runtime_fixture.h"

namespace corvena::runtime::testing {
namespace {

TEST_F(RuntimeTest, ASignedOnScreenComesUpRegistered) {
  ASSERT_FALSE(start(signOnArgs()));
  auto& hp = process_->host();
  EXPECT_EQ(host::SystemErr(), 0);
  ASSERT_TRUE(hp.registration);
  EXPECT_EQ(hp.registration->caption, "Runtime Test Screen (QM.999.99)");
  EXPECT_EQ(hp.registration->application.get(),
            static_cast<host::ApplicationObject*>(ScreenApp.get()));
  EXPECT_EQ(hp.sqlType, 99);
  EXPECT_EQ(hp.mousePointer, PointerDefault);
  EXPECT_EQ(hp.floatLimit, 3.402823E+38);
  EXPECT_EQ(LineBreak, "\r\n");
  EXPECT_EQ(TabText, "\t");
  EXPECT_TRUE(BlankDate.isBlank());
  ASSERT_NE(NoControl, nullptr);
  EXPECT_EQ(NoControl->name(), "Update1");
  EXPECT_TRUE(shell_.started.empty()) << "a given sign-on counts as a running shell";
  EXPECT_TRUE(messages().empty());
}

TEST_F(RuntimeTest, TheSignOnRecordCarriesTheContext) {
  ASSERT_FALSE(start(signOnArgs()));
  const auto& pes = process_->session().pes();
  EXPECT_EQ(pes.CpnyID, "CO1");
  EXPECT_EQ(pes.UserId, "ANN");
  EXPECT_EQ(pes.Prog, "99999");
  EXPECT_EQ(pes.Today.iso(), "2026-03-31");
  EXPECT_EQ(pes.ScrnTitle, "Runtime Test Screen (QM.999.99)");
  EXPECT_EQ(process_->session().database().path(), database_);
}

TEST_F(RuntimeTest, AMissingParentDirectoryRootsTheHelpFileAtABackslash) {
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(App().HelpFile, "\\help\\QM99999.hlp");
}

TEST_F(RuntimeTest, TheParentDirectoryGetsOneBackslashWithOrWithoutItsOwn) {
  storeRegistry("ParentDirectory", RegistryValue::text("C:\\Corvena"));
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(App().HelpFile, "C:\\Corvena\\help\\QM99999.hlp");
  process_.reset();

  storeRegistry("ParentDirectory", RegistryValue::text("C:\\Corvena\\"));
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(App().HelpFile, "C:\\Corvena\\help\\QM99999.hlp");
}

TEST_F(RuntimeTest, AnExpandableParentDirectoryIsExpanded) {
  ::setenv("CORVENA_TEST_ROOT", "D:\\Apps", 1);
  storeRegistry("ParentDirectory", RegistryValue::text("%CORVENA_TEST_ROOT%\\Corvena", 2));
  ASSERT_FALSE(start(signOnArgs()));
  ::unsetenv("CORVENA_TEST_ROOT");
  EXPECT_EQ(App().HelpFile, "D:\\Apps\\Corvena\\help\\QM99999.hlp");
}

TEST_F(RuntimeTest, StartModeFiveReadsTheKeyAndSetsTheFlag) {
  auto args = signOnArgs();
  args.insert(args.end(), {"5", "12345"});
  ASSERT_FALSE(start(args));
  EXPECT_EQ(StartMode, 5);
  EXPECT_EQ(StartKey, 12345);
  EXPECT_EQ(process_->host().startKey, 12345);
  EXPECT_EQ(process_->session().pes().StartMode5, 1);
}

TEST_F(RuntimeTest, StartModeFourReadsTheKeyButLeavesTheFlag) {
  auto args = signOnArgs();
  args.insert(args.end(), {"4", "77"});
  ASSERT_FALSE(start(args));
  EXPECT_EQ(StartMode, 4);
  EXPECT_EQ(StartKey, 77);
  EXPECT_EQ(process_->host().startKey, 77);
  EXPECT_EQ(process_->session().pes().StartMode5, 0);
}

TEST_F(RuntimeTest, StartModeOneReadsNoKey) {
  auto args = signOnArgs();
  args.insert(args.end(), {"1", "77"});
  ASSERT_FALSE(start(args));
  EXPECT_EQ(StartMode, 1);
  EXPECT_EQ(StartKey, 0);
  EXPECT_EQ(process_->host().startKey, 0);
  EXPECT_EQ(process_->host().nextParameter, 1u);
}

TEST_F(RuntimeTest, NoStartParameterIsModeZero) {
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(StartMode, 0);
  EXPECT_EQ(StartKey, 0);
  EXPECT_EQ(process_->session().pes().StartMode5, 0);
}

TEST_F(RuntimeTest, ATextWithoutALeadingNumberIsModeZero) {
  auto args = signOnArgs();
  args.insert(args.end(), {"abc", "9"});
  ASSERT_FALSE(start(args));
  EXPECT_EQ(StartMode, 0);
  EXPECT_EQ(StartKey, 0);
}

TEST_F(RuntimeTest, WithoutShellTheParentIsStartedOnceAndAwaited) {
  shell_.running = false;
  shell_.loginStates = {0, 0, 1};
  shell_.contextAtLogin = signon::SignOnContext{database_, "BOB", "CO1", Date{2026, 4, 1}};
  definition_ = screen_.definition();
  ASSERT_FALSE(start({}));
  ASSERT_EQ(shell_.started.size(), 1u);
  EXPECT_EQ(shell_.started[0], "PARENT.EXE  2");
  EXPECT_EQ(shell_.prepared, 1);
  EXPECT_EQ(shell_.polls, 3);
  EXPECT_EQ(shell_.pumps, 2);
  EXPECT_EQ(process_->session().pes().UserId, "BOB");
}

TEST_F(RuntimeTest, ARunningShellIsNotStartedAgainButAwaited) {
  shell_.running = true;
  shell_.loginStates = {0, 1};
  shell_.contextAtLogin = signon::SignOnContext{database_, "BOB", "CO1", Date{2026, 4, 1}};
  ASSERT_FALSE(start({}));
  EXPECT_TRUE(shell_.started.empty());
  EXPECT_EQ(shell_.prepared, 0);
  EXPECT_EQ(shell_.polls, 2);
}

TEST_F(RuntimeTest, AShellThatNeverSignsOnEndsStartUpWithNothingWritten) {
  shell_.loginStates = {0, -1};
  const auto ended = start({});
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_NE(err_.str().find("No sign-on"), std::string::npos) << err_.str();
  EXPECT_FALSE(process_->session().hasDatabase());
  EXPECT_FALSE(process_->host().registration);
}

TEST_F(RuntimeTest, AFaultLeavingTheLoadHandlerEndsTheScreenWithItsMessage) {
  const auto registerScreen = definition_.registerHandlers;
  definition_.registerHandlers = [registerScreen](forms::Form& form) {
    registerScreen(form);
    form.onLoad([] { throw forms::RuntimeError(forms::kErrNoDatabase, "Not connected."); });
  };
  shell_.loginStates = {0, -1};
  auto ended = start({});
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_NE(err_.str().find("Not connected."), std::string::npos) << err_.str();
  definition_.registerHandlers = [registerScreen](forms::Form& form) {
    registerScreen(form);
    form.onLoad([] { throw std::out_of_range("stod"); });
  };
  ended = start(signOnArgs());
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitFault);
  EXPECT_NE(err_.str().find("stod"), std::string::npos) << err_.str();
}

// A damaged file met while the screen loads leaves no database to work in: a
// start-up refusal (3), as a missing one is, not a fault.
TEST_F(RuntimeTest, ADamagedDatabaseMetWhileLoadingIsAStartUpRefusal) {
  const auto registerScreen = definition_.registerHandlers;
  definition_.registerHandlers = [registerScreen](forms::Form& form) {
    registerScreen(form);
    form.onLoad([] {
      throw db::DbError("The company database is damaged (disk image is malformed).",
                        db::DbError::Kind::Damaged);
    });
  };
  const auto ended = start(signOnArgs());
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_NE(err_.str().find("damaged"), std::string::npos) << err_.str();
}

TEST_F(RuntimeTest, AScriptWithoutSignOnFailsAtOnceWithoutStartingTheShell) {
  const auto ended = start({"--script", "-"});
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_TRUE(shell_.started.empty());
  EXPECT_NE(err_.str().find("--db PATH"), std::string::npos) << err_.str();
  EXPECT_EQ(screen_.unloads, 0);
}

TEST_F(RuntimeTest, HostLibraryVersionMismatchShows5010AndStopsStartUp) {
  shell_.libraryVersion = "00.25";
  ASSERT_FALSE(start(signOnArgs()));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find(forms::messageText(5010)), std::string::npos) << messages()[0];
  EXPECT_EQ(process_->host().floatLimit, 0);
  EXPECT_EQ(LineBreak, "");
  EXPECT_EQ(TabText, "");
}

TEST_F(RuntimeTest, DeclarationsVersionMismatchIsReportedAndStopsStartUp) {
  definition_.registerHandlers = [this, inner = definition_.registerHandlers](forms::Form& form) {
    inner(form);
    ApplicDeclarationsVersion = "00.25";
  };
  ASSERT_FALSE(start(signOnArgs()));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(
      messages()[0].find("Version number in APPLIC is not the same as the version number in KELP"),
      std::string::npos)
      << messages()[0];
  EXPECT_EQ(process_->host().floatLimit, 0);
  EXPECT_EQ(LineBreak, "");
}

TEST_F(RuntimeTest, AFailedLoginEndsTheProcessThroughScreenExit) {
  auto args = signOnArgs();
  args[1] = (dir_ / "missing.db").string();
  const auto ended = start(args);
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_NE(err_.str().find("missing.db"), std::string::npos) << err_.str();
  EXPECT_FALSE(process_->host().registration);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "missing.db"));
}

TEST_F(RuntimeTest, AnUnknownCompanyIsRefusedWhenTheDatabaseKnowsCompanies) {
  {
    auto db = db::Database::open(database_);
    db->exec("insert into Company (CpnyID, CpnyName, BaseCuryId) values ('CO2', 'Other', 'USD')");
  }
  const auto ended = start(signOnArgs());
  ASSERT_TRUE(ended);
  EXPECT_EQ(*ended, program::kExitNoSignOn);
  EXPECT_NE(err_.str().find("CO1"), std::string::npos) << err_.str();
}

TEST_F(RuntimeTest, AKnownCompanyGivesItsNameAndCurrency) {
  {
    auto db = db::Database::open(database_);
    db->exec("insert into Company (CpnyID, CpnyName, BaseCuryId) values ('CO1', 'Main', 'CAD')");
  }
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(process_->session().pes().CpnyName, "Main");
  EXPECT_EQ(process_->session().pes().CuryId, "CAD");
  EXPECT_EQ(process_->session().curyInfo().CuryId, "CAD");
}

TEST_F(RuntimeTest, ARetainedProjectRaisesTheRuntimeLevel) {
  App().setProperty("RetainedProject", "1");
  EXPECT_TRUE(HasRetainedProject());
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(process_->host().runtimeLevel, 6);
}

TEST_F(RuntimeTest, WithoutRetainedProjectTheRuntimeLevelStays) {
  EXPECT_FALSE(HasRetainedProject());
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(process_->host().runtimeLevel, 0);
}

TEST_F(RuntimeTest, ClosingRunsTheUnloadHandlerAndEndsWithTheExitCode) {
  ASSERT_FALSE(start(signOnArgs()));
  EXPECT_EQ(process_->close(1), 1);
  EXPECT_EQ(screen_.unloads, 1);
  EXPECT_FALSE(ScreenApp);
  EXPECT_FALSE(ScreenHostObject);
  EXPECT_FALSE(process_->host().registration);
}

TEST_F(RuntimeTest, TheHostsExitCallbackClosesTheScreen) {
  ASSERT_FALSE(start(signOnArgs()));
  try {
    host::RequestScreenExit();
    FAIL() << "the process went on";
  } catch (const host::ProcessEnded& e) {
    EXPECT_EQ(e.exitCode, 0);
  }
  EXPECT_EQ(screen_.unloads, 1);
}

}  // namespace
}  // namespace corvena::runtime::testing
