#pragma once
// A fresh company database per test with a few customers and one national
// account, and QM18100 opened on it headless, as a clerk would use it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/host/session.h"
#include "runtime/tables/records.h"
#include "screens/customer/qm18100.h"

namespace corvena::qm18100::testing {

// One running QM18100: its process state, session and screen.
class OpenScreen {
 public:
  OpenScreen(const std::string& database, const std::string& user, const Date& today);
  ~OpenScreen();

  forms::Session& session() { return session_; }
  forms::HeadlessUi& ui() { return *ui_; }
  QM18100& screen() { return *screen_; }
  forms::Control& control(const std::string& name) { return session_.control(name); }
  forms::Control& grid() { return control("Spread1"); }

  bool set(const std::string& control, const std::string& value);
  bool click(const std::string& control);
  bool addChild(const std::string& child);
  bool save() { return session_.save(); }
  std::string shown(const std::string& control) { return session_.displayText(this->control(control)); }
  std::vector<std::string> children();
  // The texts of the message boxes shown so far.
  std::vector<std::string> messages() const;

 private:
  host::HostProcess process_;
  host::HostProcessScope processScope_;
  forms::HeadlessUi* ui_;
  forms::Session session_;
  forms::SessionScope sessionScope_;
  QM18100* screen_ = nullptr;
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
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

}  // namespace corvena::qm18100::testing
