#pragma once
// A fresh company database per test with a few customers and one national
// account, and QM18100 opened on it headless, as a clerk would use it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/tests/test_database.h"
#include "platform/db/database.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/screen_program.h"
#include "runtime/tables/records.h"
#include "screens/customer/qm18100.h"

namespace corvena::qm18100::testing {

// One running QM18100 process, signed on to the test's database.
class OpenScreen {
 public:
  OpenScreen(const std::string& database, const std::string& user, const Date& today,
             const std::string& company = "CO1");
  ~OpenScreen();

  forms::Session& session() { return process_->session(); }
  forms::HeadlessUi& ui();
  QM18100& screen() { return *screenOf(session()); }
  forms::Control& control(const std::string& name) { return session().control(name); }
  forms::Control& grid() { return control("Spread1"); }
  // Runs a screen script; its output is output().
  int run(std::string_view script) { return process_->runScript(script); }
  std::string output() const { return out_.str(); }

  bool set(const std::string& control, const std::string& value);
  bool click(const std::string& control);
  bool addChild(const std::string& child);
  bool save() { return session().updates().save(); }
  std::string shown(const std::string& control) {
    return session().displayText(this->control(control));
  }
  std::vector<std::string> children();
  // The texts of the message boxes shown so far.
  std::vector<std::string> messages();

 private:
  std::ostringstream out_, err_;
  std::unique_ptr<runtime::ScreenProcess> process_;
};

class CustomerSetup : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<OpenScreen> open(const std::string& user = "CLERK1",
                                   const Date& today = Date{2026, 3, 2});
  void addCustomer(const std::string& id, const std::string& cycle = "01");
  void link(const std::string& parent, const std::string& child);
  // Rows of a query, each row its columns joined by '|'.
  std::vector<std::string> rows(const std::string& sql);
  std::string value(const std::string& sql);
  XNACustP parentRow(const std::string& parent);
  XNACustS childRow(const std::string& parent, const std::string& child);

  std::filesystem::path dir_;
  db::testing::ScratchDir scratch_;  // the company database: a file, or one on the server under test
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

}  // namespace corvena::qm18100::testing
