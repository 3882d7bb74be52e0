#include "platform/automation/script_driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/db/database.h"
#include "platform/db/host_records.h"
#include "platform/db/tests/test_database.h"

namespace corvena::automation {
namespace {

using forms::ControlClass;

// A small customer screen: a key, a name whose check refuses "BAD" silently and
// asks before taking "ASK", a check box, a label and a button.
class ScriptDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.setDatabase(db::Database::create(dir_.file("company.db")));
    driver_ = std::make_unique<ScriptDriver>(session_, out_);
    auto& form = session_.loadForm(formDesc());
    session_.bindRecord(0, "bCustomer", RecordRef(customer_), RecordRef(nullCustomer_));
    session_.cursors().openCursor(cursor_, 0, "CSR_Customer", "Customer");
    form.control("cName").onValueCheck([this](std::string& text) {
      if (text == "BAD") return forms::kSilentRefusal;
      if (text == "ASK" && session_.messages().messageBox("Take it?", forms::kStyleYesNo,
                                                          "National Accounts") != forms::kAnswerYes)
        return forms::kSilentRefusal;
      return 0;
    });
    form.control("cmdGo").onClick([this] { ++clicks_; });
  }
  void TearDown() override {
    driver_.reset();
  }

  static forms::FormDesc formDesc() {
    return forms::FormDesc{
        "Form1",
        "Driver Test",
        {
            {.cls = ControlClass::Update, .name = "Update1", .levels = "Customer;N"},
            {.cls = ControlClass::MaskedText,
             .name = "cCustId",
             .fieldname = "bCustomer.CustId",
             .level = "0,k",
             .mask = "UUUUUUUUUU"},
            {.cls = ControlClass::MaskedText,
             .name = "cName",
             .fieldname = "bCustomer.Name",
             .level = "0"},
            {.cls = ControlClass::Label, .name = "lName", .caption = "Name:"},
            {.cls = ControlClass::Button, .name = "cmdGo", .caption = "Go"},
        }};
  }

  int run(std::string_view script) { return driver_->run(script); }

  db::testing::ScratchDir dir_;
  forms::Session session_;
  std::ostringstream out_;
  std::unique_ptr<ScriptDriver> driver_;
  Customer customer_;
  Customer nullCustomer_;
  forms::CursorHandle cursor_;
  int clicks_ = 0;
};

TEST_F(ScriptDriverTest, SetAndExpectPassWithNoOutput) {
  EXPECT_EQ(run("set cCustId c1\nset cName \"Acme  Stores\"\nexpect cCustId C1\n"
                "expect cName \"Acme  Stores\"\n"),
            ScriptPassed);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(customer_.Name, "Acme  Stores");
}

TEST_F(ScriptDriverTest, AFailedExpectationNamesItsLineAndBothValues) {
  EXPECT_EQ(run("set cName Acme\n\nexpect cName \"Other Name\"\nexpect cName Acme\n"),
            ScriptFailed);
  EXPECT_EQ(out_.str(), "FAIL 3: cName is Acme, expected \"Other Name\"\n");
}

TEST_F(ScriptDriverTest, ARefusedEntryIsReportedAndLeavesTheField) {
  EXPECT_EQ(run("set cName Good\nset cName BAD\nexpect cName Good\n"), ScriptPassed);
  EXPECT_EQ(out_.str(), "REFUSED cName\n");
}

TEST_F(ScriptDriverTest, AMaskRefusesWhatItDoesNotAllow) {
  run("set cCustId \"TOO LONG FOR THE MASK\"\n");
  EXPECT_EQ(out_.str().substr(0, 16), "MESSAGE Message ") << out_.str();
  EXPECT_NE(out_.str().find("REFUSED cCustId\n"), std::string::npos) << out_.str();
}

TEST_F(ScriptDriverTest, AnswersGoToTheNextQuestion) {
  EXPECT_EQ(run("answer no\nset cName ASK\nanswer yes\nset cName ASK\nexpect cName ASK\n"),
            ScriptPassed);
  EXPECT_EQ(out_.str(),
            "MESSAGE National Accounts (4): Take it?\nREFUSED cName\n"
            "MESSAGE National Accounts (4): Take it?\n");
}

TEST_F(ScriptDriverTest, ClickRunsTheButton) {
  EXPECT_EQ(run("click cmdGo\nclick cmdGo\n"), ScriptPassed);
  EXPECT_EQ(clicks_, 2);
}

TEST_F(ScriptDriverTest, ShowPrintsTheControl) {
  run("set cName \"Acme Stores\"\nshow cName\nshow lName\n");
  EXPECT_EQ(out_.str(), "SHOW cName: Acme Stores\nSHOW lName: Name:\n");
}

TEST_F(ScriptDriverTest, AnUnknownControlStopsTheScriptWithItsLine) {
  EXPECT_EQ(run("set cName One\nset cNone x\nset cName Two\n"), ScriptBroken);
  EXPECT_EQ(out_.str(), "ERROR 2: unknown control: cNone\n");
  EXPECT_EQ(customer_.Name, "One");
}

TEST_F(ScriptDriverTest, AFaultySyntaxRunsNothing) {
  EXPECT_EQ(run("set cName One\nfrobnicate\n"), ScriptBroken);
  EXPECT_EQ(out_.str(), "ERROR 2: unknown command: frobnicate\n");
  EXPECT_TRUE(customer_.Name.blank());
}

TEST_F(ScriptDriverTest, LineNeedsAGrid) {
  EXPECT_EQ(run("line cName 1\n"), ScriptBroken);
  EXPECT_EQ(out_.str(), "ERROR 1: not a grid: cName\n");
}

TEST_F(ScriptDriverTest, SavedValuesReachTheDatabase) {
  EXPECT_EQ(run("set cCustId C7\nset cName Seven\nsave\n"), ScriptPassed) << out_.str();
  auto row = session_.database().run("select Name from Customer where CustId = 'C7'");
  ASSERT_TRUE(row.step());
  EXPECT_EQ(std::get<std::string>(row.column(0)), "Seven");
}

TEST_F(ScriptDriverTest, ASaveThatGaveUpOnAnotherWritersLockFailsTheRun) {
  auto other = db::Database::open(dir_.file("company.db"));
  db::Transaction holding(*other);
  session_.database().setLockWait(0);
  EXPECT_EQ(run("set cCustId C7\nset cName Seven\nsave\n"), ScriptFailed);
  EXPECT_NE(out_.str().find("FAIL 3: the save waited for another user's lock"), std::string::npos)
      << out_.str();
}

TEST_F(ScriptDriverTest, AStreamIsAnsweredCommandByCommand) {
  std::istringstream in("set cName Acme\nexpect cName Nope\nbogus\nset cName never\n");
  EXPECT_EQ(driver_->runStream(in), ScriptBroken);
  EXPECT_EQ(out_.str(), "FAIL 2: cName is Acme, expected Nope\nERROR 3: unknown command: bogus\n");
  EXPECT_EQ(customer_.Name, "Acme");
  EXPECT_EQ(driver_->failures(), 1);
}

}  // namespace
}  // namespace corvena::automation
