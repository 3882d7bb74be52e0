// A module screen started with --automate, as a release starts a host screen:
// driven request by request over its standard input and output.
#include <chrono>
#include <cstdlib>

#include "platform/automation/driven_process.h"
#include "platform/db/database.h"
#include "runtime/tests/runtime_fixture.h"
#include "runtime/text_value.h"

namespace corvena::runtime::testing {
namespace {

using automation::DrivenProcess;
constexpr std::chrono::seconds kAnswerTimeout{20};

class ScreenProgramAutomateTest : public RuntimeTest {
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
};

TEST_F(ScreenProgramAutomateTest, EachRequestIsAnsweredAndTheSaveIsTheScreens) {
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
  const auto db = db::Database::open(database_);
  auto count = db->run("select count(*) from Customer");
  ASSERT_TRUE(count.step());
  EXPECT_EQ(std::get<std::int64_t>(count.column(0)), 1);
}

TEST_F(ScreenProgramAutomateTest, WithoutASignOnTheScreenSaysSoInsteadOfGreeting) {
  try {
    DrivenProcess::start(CORVENA_TEST_SCREEN, {}, kAnswerTimeout);
    ADD_FAILURE() << "the screen started without a sign-on";
  } catch (const automation::StartFailure& failure) {
    EXPECT_EQ(failure.code, automation::kErrNotLoggedIn);
    EXPECT_NE(failure.description.find("No sign-on"), std::string::npos) << failure.description;
  }
}

}  // namespace
}  // namespace corvena::runtime::testing
