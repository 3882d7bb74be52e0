// The statement read from the demo company: its stores, totals and aging at the
// cent against sums taken from AR's own tables, and a statement that stays the
// same when AR releases something dated after it.
#include "screens/statement/statement.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>

#include "platform/ar/ledger.h"
#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "screens/statement/statement_csv.h"

namespace corvena::statement::testing {
namespace {

long long cents(double v) {
  return std::llround(v * 100);
}

// Days from a stored ISO date to `to`, counted by the calendar, not by the code under test.
long daysFrom(const std::string& iso, const Date& to) {
  Date from;
  EXPECT_TRUE(Date::parseIso(iso.substr(0, 10), from)) << iso;
  const auto day = [](const Date& d) {
    return std::chrono::sys_days{std::chrono::year{d.year} / d.month / d.day};
  };
  return (day(to) - day(from)).count();
}

class StatementTest : public ::testing::Test {
 protected:
  StatementTest() : db_(db::Database::create(dir_.database("demo.db"))) { demo::fillDemo(*db_); }

  // Per customer of the account, from AR itself: the open debits' and credits'
  // balances and the debits by days past due at asOf.
  struct Sums {
    double debits = 0, credits = 0;
    double bucket[Aging::kBuckets] = {};
    int items = 0;
  };
  std::map<std::string, Sums> ledgerSums(const std::string& parent, const Date& asOf) {
    db::Statement st = db_->prepare(
        "SELECT CustId, DocType, CuryDocBal, DueDate FROM ARDoc"
        " WHERE Rlsed = 1 AND CuryDocBal > 0 AND (CustId = ?1 OR CustId IN"
        " (SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1))");
    st.bind(1, parent);
    std::map<std::string, Sums> out;
    while (st.step()) {
      Sums& s = out[std::get<std::string>(st.column(0))];
      const std::string type = std::get<std::string>(st.column(1));
      const double balance = std::get<double>(st.column(2));
      const long days = daysFrom(std::get<std::string>(st.column(3)), asOf);
      ++s.items;
      if (type == "CM" || type == "PA" || type == "PP") {
        s.credits += balance;
        continue;
      }
      s.debits += balance;
      s.bucket[days <= 0 ? 0 : days <= 30 ? 1 : days <= 60 ? 2 : days <= 90 ? 3 : 4] += balance;
    }
    return out;
  }

  // A payment of half an open invoice of the customer, released on `released`
  // as the national-account batch NA000099.
  std::pair<std::string, double> payHalf(const std::string& cust, const Date& released) {
    db::Statement inv = db_->prepare(
        "SELECT RefNbr, CuryDocBal FROM ARDoc WHERE CustId = ?1 AND DocType = 'IN'"
        " AND CuryDocBal > 1 ORDER BY RefNbr LIMIT 1");
    inv.bind(1, cust);
    EXPECT_TRUE(inv.step());
    const std::string ref = std::get<std::string>(inv.column(0));
    const double half = std::round(std::get<double>(inv.column(1)) * 50) / 100;
    const std::string amount = std::to_string(half);
    db_->exec(
        "INSERT INTO Batch (BatNbr, Module, CpnyID, EditScrnNbr, Status, CtrlTot, PerPost)"
        " VALUES ('LATE01', 'AR', 'DEMO', '08030', 'B', " +
        amount +
        ", '202612');"
        "INSERT INTO ARDoc (BatNbr, CpnyID, CustId, DocType, RefNbr, DocDate, DueDate,"
        " OrigDocAmt, CuryOrigDocAmt, CuryId) VALUES ('LATE01', 'DEMO', '" +
        cust + "', 'PA', 'LATECHK', '" + released.iso() + "', '" + released.iso() + "', " + amount +
        ", " + amount +
        ", 'USD');"
        "INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, AdjgDocType,"
        " AdjgRefNbr, AdjAmt, CuryAdjdAmt) VALUES ('LATE01', '" +
        cust + "', 'IN', '" + ref + "', 'PA', 'LATECHK', " + amount + ", " + amount +
        ");"
        "INSERT INTO XNAHeader (NABatNbr, CustId, RefNbr, vond1, Status, ARBatNbr)"
        " VALUES ('NA000099', '" +
        cust + "', 'LATECHK', 'NP', 'C', 'LATE01')");
    EXPECT_EQ(ar::releaseBatch(*db_, "LATE01", {"SYSADMIN", "08030", released, true}), "");
    return {ref, half};
  }

  db::testing::ScratchDir dir_;
  std::unique_ptr<db::Database> db_;
};

TEST_F(StatementTest, StoresTotalsAndAgingAgreeWithTheLedgerAtTheCent) {
  for (const Date asOf : {demo::kDemoToday, Date{2027, 1, 31}}) {
    for (const char* parent : {"NATL-GROC", "NATL-AUTO", "NATL-HOTEL"}) {
      const Statement s = readStatement(*db_, parent, asOf);
      auto sums = ledgerSums(parent, asOf);
      ASSERT_GT(s.stores.size(), 4u);
      EXPECT_TRUE(s.stores.front().parent);
      EXPECT_EQ(s.stores.front().custId, parent);
      Sums account;
      int items = 0;
      for (const Store& store : s.stores) {
        const Sums& want = sums[store.custId];
        SCOPED_TRACE(store.custId + " as of " + asOf.iso());
        EXPECT_EQ(cents(store.debitTotal), cents(want.debits));
        EXPECT_EQ(cents(store.creditTotal), cents(want.credits));
        EXPECT_EQ(static_cast<int>(store.debits.size() + store.credits.size()), want.items);
        for (int b = 0; b < Aging::kBuckets; ++b) {
          EXPECT_EQ(cents(store.aging.bucket[b]), cents(want.bucket[b])) << bucketName(b);
          account.bucket[b] += want.bucket[b];
        }
        account.debits += want.debits;
        account.credits += want.credits;
        items += want.items;
      }
      EXPECT_EQ(cents(s.balance()), cents(account.debits - account.credits));
      for (int b = 0; b < Aging::kBuckets; ++b)
        EXPECT_EQ(cents(s.aging.bucket[b]), cents(account.bucket[b])) << bucketName(b);
      EXPECT_EQ(static_cast<int>(s.openItems()), items);
    }
  }
  // Late in January the oldest debt is over 90 days past due.
  EXPECT_GT(readStatement(*db_, "NATL-GROC", Date{2027, 1, 31}).aging.bucket[4], 0);
}

TEST_F(StatementTest, ADocumentCountsFromTheDayItWasReleasedNotTheDayItIsDated) {
  // The demo's documents are dated from September and released on its business day.
  const Statement before = readStatement(*db_, "NATL-AUTO", Date{2026, 12, 14});
  EXPECT_EQ(before.openItems(), 0u);
  EXPECT_EQ(before.stores.size(), 7u);
  EXPECT_EQ(cents(before.balance()), 0);
  const Statement on = readStatement(*db_, "NATL-AUTO", demo::kDemoToday);
  EXPECT_GT(on.openItems(), 0u);
  // Everything it holds was released since the last month end: each is activity.
  EXPECT_EQ(on.lastStatement, (Date{2026, 11, 30}));
  std::size_t activity = 0;
  for (const Store& store : on.stores) activity += store.activity.size();
  EXPECT_GE(activity, on.openItems());
}

TEST_F(StatementTest, AStatementStaysTheSameWhenAPaymentIsReleasedAfterItsDate) {
  const std::string before = statementCsv({readStatement(*db_, "NATL-AUTO", demo::kDemoToday)});
  const Date later{2026, 12, 20};
  const auto [invoice, paid] = payHalf("AUTO-002", later);
  EXPECT_EQ(statementCsv({readStatement(*db_, "NATL-AUTO", demo::kDemoToday)}), before);

  const Statement s = readStatement(*db_, "NATL-AUTO", later);
  const Statement was = readStatement(*db_, "NATL-AUTO", demo::kDemoToday);
  const auto store = [](const Statement& st, const std::string& id) {
    for (const Store& x : st.stores)
      if (x.custId == id) return x;
    return Store{};
  };
  EXPECT_EQ(cents(store(was, "AUTO-002").debitTotal - store(s, "AUTO-002").debitTotal),
            cents(paid));
  // The payment was applied whole: it is no open credit, and its application
  // is activity of the store naming the national-account batch.
  EXPECT_TRUE(store(s, "AUTO-002").credits.size() == store(was, "AUTO-002").credits.size());
  bool named = false;
  for (const Activity& a : store(s, "AUTO-002").activity)
    named |= a.refNbr == invoice && a.naBatch == "NA000099" && cents(a.amount) == -cents(paid);
  EXPECT_TRUE(named);
}

TEST_F(StatementTest, TheLastStatementDateFollowsTheParentsCycle) {
  EXPECT_EQ(lastStatementDate(*db_, "NATL-AUTO", Date{2026, 11, 30}), (Date{2026, 10, 31}));
  EXPECT_EQ(lastStatementDate(*db_, "NATL-AUTO", Date{2027, 3, 1}), (Date{2027, 2, 28}));
  db_->exec("UPDATE Customer SET StmtCycleId = '02' WHERE CustId = 'NATL-AUTO'");
  EXPECT_EQ(lastStatementDate(*db_, "NATL-AUTO", Date{2026, 12, 15}), (Date{2026, 11, 15}));
  EXPECT_EQ(lastStatementDate(*db_, "NATL-AUTO", Date{2026, 12, 16}), (Date{2026, 12, 15}));
  db_->exec("UPDATE Customer SET StmtCycleId = '' WHERE CustId = 'NATL-AUTO'");
  EXPECT_EQ(lastStatementDate(*db_, "NATL-AUTO", Date{2026, 3, 31}), (Date{2026, 2, 28}));
}

TEST_F(StatementTest, ACycleConsolidatesOnlyTheAccountsWhoseOptionIsOn) {
  EXPECT_EQ(consolidatingAccounts(*db_, "01"), std::vector<std::string>{"NATL-HOTEL"});
  EXPECT_TRUE(consolidatingAccounts(*db_, "02").empty());
  EXPECT_THROW(readStatement(*db_, "AUTO-001", demo::kDemoToday), db::DbError);
}

}  // namespace
}  // namespace corvena::statement::testing
