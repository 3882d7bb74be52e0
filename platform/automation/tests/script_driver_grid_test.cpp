#include <gtest/gtest.h>

#include <sstream>

#include "platform/automation/script_driver.h"
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
    session_.openCursor(header_, 0, "CSR_Customer", "Customer");
    session_.openCursor(lines_, 1, "CSR_Lines", "XLines");
    session_.detailSetup(lines_, form.control("Spread1"), nullptr, {RecordRef(line_)});
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

}  // namespace
}  // namespace corvena::automation
