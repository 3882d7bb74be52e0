#include <gtest/gtest.h>

#include <sstream>

#include "platform/automation/automation_server.h"
#include "platform/automation/script_driver.h"
#include "platform/automation/wire.h"
#include "platform/forms/messages.h"
#include "platform/db/database.h"
#include "platform/db/host_records.h"
#include "platform/db/tests/test_database.h"

namespace corvena::automation {
namespace {

using forms::ControlClass;

// A header with a memory-only grid of document lines.
class ScriptDriverGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session_.setDatabase(db::Database::create(dir_.file("company.db")));
    driver_ = std::make_unique<ScriptDriver>(session_, out_);
    auto& form = session_.loadForm(formDesc());
    session_.bindRecord(0, "bCustomer", RecordRef(customer_), RecordRef(nullCustomer_));
    session_.bindRecord(1, "bLine", RecordRef(line_), RecordRef(nullLine_));
    session_.cursors().openCursor(header_, 0, "CSR_Customer", "Customer");
    session_.cursors().openCursor(lines_, 1, "CSR_Lines", "XLines");
    session_.grids().detailSetup(lines_, form.control("Spread1"), nullptr, {RecordRef(line_)});
    form.control("Spread1").onLineChange([this](int code) {
      if (code == forms::kLineStarting && refuseNewLines_) return forms::kSilentRefusal;
      return 0;
    });
  }
  void TearDown() override {
    driver_.reset();
  }

  static forms::FormDesc formDesc() {
    return forms::FormDesc{
        "Form1",
        "Grid Test",
        {
            {.cls = ControlClass::Update, .name = "Update1", .levels = "Header;N,Lines;DA"},
            {.cls = ControlClass::MaskedText,
             .name = "cCustId",
             .fieldname = "bCustomer.CustId",
             .level = "0,k"},
            {.cls = ControlClass::Grid, .name = "Spread1", .level = "1"},
            {.cls = ControlClass::MaskedText,
             .name = "cRefNbr",
             .fieldname = "bLine.RefNbr",
             .level = "1",
             .parent = "Spread1"},
            {.cls = ControlClass::MaskedText,
             .name = "cDocDesc",
             .fieldname = "bLine.DocDesc",
             .level = "1",
             .parent = "Spread1"},
            {.cls = ControlClass::MaskedText,
             .name = "cHidden",
             .fieldname = "bLine.CustId",
             .level = "1",
             .visible = false,
             .parent = "Spread1"},
        }};
  }

  db::testing::ScratchDir dir_;
  forms::Session session_;
  std::ostringstream out_;
  std::unique_ptr<ScriptDriver> driver_;
  Customer customer_, nullCustomer_;
  ARDoc line_, nullLine_;
  forms::CursorHandle header_, lines_;
  bool refuseNewLines_ = false;
};

TEST_F(ScriptDriverGridTest, NewLinesAreEnteredAndShownColumnByColumn) {
  const int code = driver_->run(
      "line Spread1 new\nset cRefNbr 000001\nset cDocDesc \"First doc\"\n"
      "line Spread1 new\nset cRefNbr 000002\nshow Spread1\n");
  EXPECT_EQ(code, ScriptPassed) << out_.str();
  EXPECT_EQ(out_.str(), "SHOW Spread1: 2 lines\n000001 | First doc\n000002 | \n");
}

TEST_F(ScriptDriverGridTest, LineMakesALineCurrentForExpectAndSet) {
  const int code = driver_->run(
      "line Spread1 new\nset cRefNbr A\nline Spread1 new\nset cRefNbr B\n"
      "line Spread1 1\nexpect cRefNbr A\nset cDocDesc changed\nline Spread1 2\nexpect cRefNbr B\n"
      "line Spread1 1\nexpect cDocDesc changed\n");
  EXPECT_EQ(code, ScriptPassed) << out_.str();
}

TEST_F(ScriptDriverGridTest, AMissingLineIsAFailedExpectation) {
  EXPECT_EQ(driver_->run("line Spread1 new\nset cRefNbr A\nline Spread1 3\n"), ScriptFailed);
  EXPECT_EQ(out_.str(), "FAIL 3: Spread1 has no line 3 (it has 1)\n");
}

TEST_F(ScriptDriverGridTest, ARefusedNewLineIsReported) {
  refuseNewLines_ = true;
  driver_->run("line Spread1 new\n");
  EXPECT_EQ(out_.str(), "REFUSED Spread1\n");
}

TEST_F(ScriptDriverGridTest, AnEmptyGridShowsNoLines) {
  driver_->run("show Spread1\n");
  EXPECT_EQ(out_.str(), "SHOW Spread1: 0 lines\n");
}

TEST_F(ScriptDriverGridTest, AGridIsWalkedByLevelAndItsValuesAndPropertiesRead) {
  driver_->run(
      "line Spread1 new\nset cRefNbr A\nline Spread1 new\nset cRefNbr B\n"
      "grid 1 first\nget crefnbr\ngrid 1 next\nget cRefNbr\ngrid 1 next\n"
      "property cRefNbr Level\nproperty cHidden visible\neditstate 0\n");
  EXPECT_EQ(out_.str(),
            "GRID 1: 2\nVALUE cRefNbr: A\nGRID 1: 2\nVALUE cRefNbr: B\nGRID 1: 0\n"
            "PROPERTY cRefNbr Level: 1\nPROPERTY cHidden visible: False\nEDITSTATE 0: 2\n");
  out_.str("");
  driver_->run("row 1 first\n");
  // Moving on runs the grid's line handler, so only the move can say where it lands.
  EXPECT_EQ(out_.str(), "ROW 1: 2 1 3 cRefNbr A cDocDesc \"\" cHidden \"\" cCustId \"\"\n");
}

// One request finds the first row showing a key, trailing blanks aside, and
// leaves it current, the values that follow typed into it; a key on no row
// answers 0 and types nothing. Each answer tells only the values that changed
// since the last told them.
TEST_F(ScriptDriverGridTest, FindMovesToTheFirstRowShowingTheKeyAndTypesIntoIt) {
  driver_->run(
      "line Spread1 new\nset cRefNbr A\nline Spread1 new\nset cRefNbr B\nset cDocDesc first\n"
      "line Spread1 new\nset cRefNbr B\nset cDocDesc second\n");
  out_.str("");
  driver_->run(
      "find 1 cRefNbr \"B  \"\nget cDocDesc\nfind 1 cRefNbr C cDocDesc lost\n"
      "find 1 cRefNbr B cDocDesc third\nline Spread1 3\nget cDocDesc\nfind 1 cNoSuch A\n");
  EXPECT_EQ(out_.str(),
            "FIND 1: 2 1 3 cRefNbr B cDocDesc first cHidden \"\" cCustId \"\"\nVALUE cDocDesc: first\n"
            "FIND 1: 0 1 1 cDocDesc second\nFIND 1: 2 1 1 cDocDesc third\n"
            "VALUE cDocDesc: second\n"
            "ERROR 7: unknown control: cNoSuch\n");
}

// Requests of a driving process: one answer line each, and a bad request leaves the screen served.
TEST_F(ScriptDriverGridTest, RequestsAreAnsweredOneLineEach) {
  std::istringstream requests(
      "line Spread1 new\nset cRefNbr \"A B\"\nget cNoSuch\nget cRefNbr\n"
      "property cRefNbr NoSuch\nbogus\ngrid 0 next\n");
  std::ostringstream answers;
  serveRequests(*driver_, requests, answers);
  EXPECT_EQ(answers.str(),
            "OK\nOK\nERROR 2050 unknown control: cNoSuch\nOK A B\n"
            "ERROR 2050 unknown property: NoSuch\nERROR 2050 unknown command: bogus\n"
            "ERROR 2050 no grid at level 0\n");
}

// What the screen showed while it carried a request out leads the answer, in
// order; values typed in one request before the refused one stay, and the
// answer says how many; once handed over, nothing more is read.
TEST_F(ScriptDriverGridTest, ShownLinesLeadTheAnswerAndAHandOverEndsTheRequests) {
  session_.control("cDocDesc").onValueCheck([this](std::string&) {
    session_.messages().status(forms::kStatusWrite, 0, "checking", forms::kStatusProgress);
    session_.messages().messageBox("Not that.", 16, "Grid Test");
    return forms::kSilentRefusal;
  });
  std::istringstream requests(
      "line Spread1 new\nset cRefNbr Z cDocDesc x cRefNbr Y\nget cRefNbr\nhandover\nget cRefNbr\n");
  std::ostringstream answers;
  EXPECT_EQ(serveRequests(*driver_, requests, answers), Served::HandedOver);
  EXPECT_EQ(answers.str(),
            "OK\nSAID STATUS 2: checking\nSAID MESSAGE Grid Test (16): Not that.\n"
            "TYPED 1\nERROR 2048 0 Not that.\nOK Z\nOK\n");
}

TEST_F(ScriptDriverGridTest, ARefusalAnswersWithTheRefusingMessage) {
  refuseNewLines_ = true;
  const Outcome& refused = driver_->answer(*parseCommand("line Spread1 new", 1));
  EXPECT_EQ(answerLine(refused), "ERROR 2048 0 Spread1 was refused");
  session_.messages().message(forms::kMsgNotInList);
  EXPECT_EQ(session_.messages().lastMessageNumber(), forms::kMsgNotInList);
}

TEST(Wire, TextSurvivesEscaping) {
  const std::string text = "a\\b\nc\rd \\n";
  EXPECT_EQ(unescapeWire(escapeWire(text)), text);
  EXPECT_EQ(escapeWire(text).find('\n'), std::string::npos);
  const auto failed = parseGreeting(startFailureLine(7506, "no sign-on\nat all"));
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->number, 7506);
  EXPECT_EQ(failed->text, "no sign-on\nat all");
  EXPECT_TRUE(parseGreeting(readyLine("0803000"))->ok);
  EXPECT_FALSE(parseAnswer("SHOW x"));
  EXPECT_EQ(parseEnded(endedLine(9830)), 9830);
  EXPECT_FALSE(parseEnded("ENDED 12x"));
  EXPECT_FALSE(parseEnded("OK 12"));
}

}  // namespace
}  // namespace corvena::automation
