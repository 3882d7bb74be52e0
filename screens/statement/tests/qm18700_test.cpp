// QM18700 on the demo company as a clerk works it: the aging by store, a
// store's documents, and the statement written as PDF and CSV.
#include "screens/statement/qm18700.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "platform/signon/user_directory.h"
#include "screens/payapp/remit/remit_read.h"
#include "screens/statement/statement_csv.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::qm18700::testing {
namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::size_t count(const std::string& text, const std::regex& pattern) {
  return static_cast<std::size_t>(
      std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
}

class StatementScreen : public ::testing::Test {
 protected:
  StatementScreen() : path_(dir_.database("demo.db")) {
    demo::fillDemo(*db::Database::create(path_));
  }
  screens::testing::ScreenUnderTest open() {
    runtime::ScreenDefinition screen{
        .program = "QM18700", .form = QM18700Form, .registerHandlers = [](forms::Form& f) {
          registerHandlers(f);
        }};
    return screens::testing::ScreenUnderTest(
        screen, {path_, user_, "DEMO", demo::kDemoToday.iso(), passwordFile_});
  }
  std::string run(const std::string& script) {
    auto s = open();
    if (!s.ended()) s.close(s.run(script));
    return s.output();
  }
  statement::Statement read(const std::string& parent) {
    return statement::readStatement(*db::Database::open(path_), parent, demo::kDemoToday);
  }

  db::testing::ScratchDir dir_;
  std::string path_;
  std::string user_ = "SYSADMIN";
  std::optional<std::string> passwordFile_;
};

TEST_F(StatementScreen, TheAgingListsTheStoresOldestDebtFirstThenTheAccount) {
  auto s = open();
  ASSERT_FALSE(s.ended()) << s.output();
  EXPECT_TRUE(s.set("cParent", "NATL-GROC"));
  EXPECT_TRUE(s.click("cmdRefresh"));
  const auto stores = s.column("cStore", "spread1");
  ASSERT_EQ(stores.size(), 26u);
  EXPECT_EQ(stores.back(), AccountLine);
  const auto oldest = s.column("cOldest", "spread1");
  for (std::size_t i = 1; i + 1 < oldest.size(); ++i)
    EXPECT_GE(std::stoi(oldest[i - 1]), std::stoi(oldest[i])) << stores[i];
  const statement::Statement want = read("NATL-GROC");
  EXPECT_EQ(s.column("cBalance", "spread1").back(), statement::amountText(want.balance(), 2));
  s.close(0);
}

TEST_F(StatementScreen, AStoresLineOpensItsDocumentsAndTheAccountsLineEveryStores) {
  const statement::Statement want = read("NATL-AUTO");
  const std::string out =
      run("set cParent NATL-AUTO\nclick cmdRefresh\nshow spread1\nline spread1 1\n"
          "click spread1\nshow spread2\nline spread1 8\nclick spread1\nshow spread2\n");
  EXPECT_NE(out.find("SHOW spread1: 8 lines"), std::string::npos) << out;
  std::size_t oldestStoreItems = 0;
  for (const auto* store : statement::byOldestDebt(want))
    if (oldestStoreItems == 0) oldestStoreItems = store->debits.size() + store->credits.size();
  EXPECT_NE(out.find("SHOW spread2: " + std::to_string(oldestStoreItems) + " line"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("SHOW spread2: " + std::to_string(want.openItems()) + " lines"),
            std::string::npos)
      << out;
}

TEST_F(StatementScreen, AScriptWritesThePdfAndTheCsv) {
  const std::string pdf = dir_.file("groc.pdf"), csv = dir_.file("groc.csv");
  const std::string out =
      run("set cParent NATL-GROC\nset cOutFile " + pdf + "\nclick cmdPdf\nset cOutFile " + csv +
          "\nclick cmdCsv\n"
          "set cPaper LETTER\nset cOutFile " +
          dir_.file("letter.pdf") + "\nclick cmdPdf\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  const statement::Statement groc = read("NATL-GROC");
  EXPECT_EQ(fileText(csv), statement::statementCsv({groc}));
  // The chain's remittance reads back as the payment application imports it.
  const remit::Remittance back = remit::readRemittanceFile(remittancePath(csv, "NATL-GROC"));
  EXPECT_EQ(back.payer, "NATL-GROC");
  remit::Cents paid = 0;
  std::size_t debits = 0;
  for (const auto& line : back.lines) paid += line.paid;
  for (const auto& store : groc.stores) debits += store.debits.size();
  EXPECT_EQ(back.lines.size(), debits);
  EXPECT_EQ(paid, std::llround(groc.debitTotal * 100));
  const std::string a4 = fileText(pdf);
  ASSERT_EQ(a4.rfind("%PDF", 0), 0u);
  // The aging, a page at least for each of the 25 stores, the remittance.
  EXPECT_GE(count(a4, std::regex("/Type\\s*/Page[^s]")), 27u);
  EXPECT_NE(a4.find("/MediaBox [0 0 595"), std::string::npos);
  EXPECT_NE(fileText(dir_.file("letter.pdf")).find("/MediaBox [0 0 612"), std::string::npos);
}

TEST_F(StatementScreen, ACycleWritesEveryAccountThatConsolidates) {
  const std::string csv = dir_.file("cycle.csv");
  const std::string out = run("set cCycle 01\nset cOutFile " + csv +
                              "\nclick cmdCsv\n"
                              "set cCycle 02\nclick cmdCsv\n");
  EXPECT_EQ(fileText(csv), statement::statementCsv({read("NATL-HOTEL")}));
  EXPECT_NE(out.find("No national account on statement cycle 02 consolidates its statements."),
            std::string::npos)
      << out;
}

// Paper is for those who may look at the screen: without its view right the
// screen does not open, so nothing can be printed or written.
TEST_F(StatementScreen, OnlyAUserWhoMayViewTheScreenWritesTheStatement) {
  auto db = db::Database::open(path_);
  signon::UserDirectory users(*db);
  users.addUser("SYSADMIN", "Administrator", "admin pass", true);
  users.addUser("ANN", "Ann", "pass one", false);
  users.grant("ANN", "QM18300", "VIUD");
  dir_.write("password", "pass one");
  passwordFile_ = dir_.file("password");
  user_ = "ANN";
  const std::string pdf = dir_.file("ann.pdf");
  const std::string script = "set cParent NATL-AUTO\nset cOutFile " + pdf + "\nclick cmdPdf\n";
  const std::string refused = run(script);
  users.grant("ANN", "QM18700", "V");
  const std::string printed = run(script);
  ::unsetenv("CORVENA_TICKET");
  EXPECT_NE(refused.find("User ANN has no rights to open 18700."), std::string::npos) << refused;
  EXPECT_NE(printed.find("1 statement written to " + pdf), std::string::npos) << printed;
  EXPECT_EQ(fileText(pdf).rfind("%PDF", 0), 0u);
}

TEST_F(StatementScreen, WhatCannotBeDoneIsSaid) {
  const std::string out =
      run("click cmdRefresh\nclick cmdPdf\nset cParent NATL-AUTO\nclick cmdPdf\nclick cmdPreview\n"
          "set cOutFile /no/such/dir/x.csv\nclick cmdCsv\nset cParent ACME\n");
  for (const char* said :
       {"Parent Customer ID must be filled in.",
        "Parent Customer ID or Statement Cycle must be filled in.", "File must be filled in.",
        "Print preview needs the screen in a window; write a PDF instead.",
        "The CSV file /no/such/dir/x.csv cannot be written.",
        "ACME is not a valid value for Parent Customer ID."})
    EXPECT_NE(out.find(said), std::string::npos) << said << "\n" << out;
}

}  // namespace
}  // namespace corvena::qm18700::testing
