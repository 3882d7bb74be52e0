#pragma once
// A fresh company database per test with a national account (parent P1 with
// children C1 and C2, and an unrelated customer X9), and QM18300 opened on it
// headless, as a clerk would use it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/tests/test_database.h"
#include "runtime/tables/records.h"
#include "screens/payapp/payapp_state.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::payapp::testing {

// QM18300 as its program defines it.
runtime::ScreenDefinition qm18300Program();

// QM18300 open on the test's company, with its state and the grid's lines.
class OpenScreen : public screens::testing::ScreenUnderTest {
 public:
  OpenScreen(const std::string& database, const std::string& company, const Date& today);

  PayApp& app();
  forms::Control& grid() { return control("Spread1"); }
  // The toolbar's New at the header: a blank batch with the defaults.
  bool newBatch();
  bool selectLine(int index);
  std::size_t lineCount() { return ScreenUnderTest::lineCount(); }
  std::vector<std::string> column(const std::string& control) {
    return ScreenUnderTest::column(control);
  }
  // The grid's lines as "customer/type/reference".
  std::vector<std::string> documents();
  std::vector<int> lineStates();
};

struct Doc {
  std::string cust = "P1";
  std::string type = "IN";
  std::string ref;
  double balance = 100;
  Date due{2026, 4, 1};
  std::string cpny = "CO1";
  double discBal = 0;
  std::int16_t released = 1;
};

class PayAppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<OpenScreen> open(const std::string& company = "CO1",
                                   const Date& today = Date{2026, 3, 2});
  void addCustomer(const std::string& id, const std::string& name);
  void link(const std::string& parent, const std::string& child);
  void addDoc(const Doc& doc);
  void addHeader(const std::string& batch, const std::string& status,
                 const std::string& type = "NP", const std::string& refNbr = "CHK1",
                 double amount = 500, const std::string& cust = "P1",
                 const std::string& applyRef = "");
  void addDetail(const std::string& batch, const std::string& cust, const std::string& type,
                 const std::string& ref, double applied, double discount = 0);
  // An unreleased host payment application of the document.
  void addUnreleasedApplication(const std::string& cust, const std::string& type,
                                const std::string& ref);
  // Rows of a query, each row its columns joined by '|'.
  std::vector<std::string> rows(const std::string& sql);
  std::string value(const std::string& sql);

  db::testing::ScratchDir scratch_;  // the company database: a file, or one on the server under test
  std::string path_;
  std::unique_ptr<db::Database> db_;
};

std::vector<std::string> sorted(std::vector<std::string> v);
// The framework's text of a numbered host message.
std::string hostMessage(int number);

}  // namespace corvena::payapp::testing
