#pragma once
// The tests' own screen: an order header (TOrder) with its lines (TLine) in a
// grid, customers to pick from (TCust), numbering from TNumber. Each fixture
// makes a fresh company database in a temporary directory.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/record.h"
#include "platform/db/tests/test_database.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"

#define TORDER_FIELDS(F)                                                           \
  F(TEXT, OrderNbr, 10)                                                            \
  F(TEXT, CustId, 10) F(DATE, OrderDate, 0) F(FLOAT, Amount, 0) F(TEXT, Status, 1) \
      F(FLOAT, Total, 0)
#define TLINE_FIELDS(F) F(TEXT, OrderNbr, 10) F(TEXT, LineRef, 5) F(FLOAT, Amt, 0) F(TEXT, Note, 10)

CORVENA_RECORD(TOrder, TORDER_FIELDS)
CORVENA_RECORD(TLine, TLINE_FIELDS)

namespace corvena::forms::testing {

// One screen session over a database file; several may share the file.
class OrderScreen {
 public:
  explicit OrderScreen(const std::string& dbPath);
  Session session;
  HeadlessUi* ui;
  TOrder order{};
  TOrder orderNull{};
  TLine line{};
  TLine lineNull{};
  CursorHandle orderCursor;
  CursorHandle lineCursor;
  LineArray* lines = nullptr;
  Control& c(const std::string& name) { return session.control(name); }
  bool set(const std::string& name, const std::string& value) {
    return session.enterValue(c(name), value);
  }
  std::string show(const std::string& name) { return session.displayText(c(name)); }
  // Texts of the message boxes shown so far.
  std::vector<std::string> messages() const;
};

class OrderScreenTest : public ::testing::Test {
 protected:
  OrderScreenTest();
  std::string dbPath() const { return dir_.database("company.db"); }
  // Runs a query and returns the first column of each row as text, joined by ",".
  std::string query(const std::string& sql);
  void addOrder(const std::string& nbr, const std::string& cust, double amount);
  void addLine(const std::string& nbr, const std::string& ref, double amt);

  db::testing::ScratchDir dir_;
  db::testing::SchemaPath schema_;
  std::unique_ptr<OrderScreen> screen_;
  std::unique_ptr<SessionScope> scope_;
  OrderScreen& s() { return *screen_; }
};

}  // namespace corvena::forms::testing
