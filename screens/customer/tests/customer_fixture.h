#pragma once
// A fresh company database per test with a few customers and one national
// account, and QM18100 opened on it headless, as a clerk would use it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/tests/test_database.h"
#include "runtime/tables/records.h"
#include "screens/customer/qm18100.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::qm18100::testing {

// QM18100 open on the test's company, with the child lines' helpers.
class OpenScreen : public screens::testing::ScreenUnderTest {
 public:
  OpenScreen(const std::string& database, const std::string& user, const Date& today,
             const std::string& company = "CO1");

  QM18100& screen() { return *screenOf(session()); }
  forms::Control& grid() { return control("Spread1"); }
  bool addChild(const std::string& child);
  std::vector<std::string> children() { return column("cSecondaryCustId"); }
};

class CustomerSetup : public ::testing::Test {
 protected:
  void SetUp() override;

  std::unique_ptr<OpenScreen> open(const std::string& user = "CLERK1",
                                   const Date& today = Date{2026, 3, 2});
  void addCustomer(const std::string& id, const std::string& cycle = "01");
  void link(const std::string& parent, const std::string& child);
  // Rows of a query, each row its columns joined by '|'.
  std::vector<std::string> rows(const std::string& sql);
  std::string value(const std::string& sql);
  XNACustP parentRow(const std::string& parent);
  XNACustS childRow(const std::string& parent, const std::string& child);

  db::testing::ScratchDir scratch_;  // the company database: a file, or one on the server under test
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

}  // namespace corvena::qm18100::testing
