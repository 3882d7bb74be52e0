// A backup taken while a clerk's process goes on releasing national-account
// payments, each in one transaction: the copy holds whole payments only, no
// money lost or doubled, and what must hold of the payments and the ledger
// holds of it.
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>

#include "platform/ar/ledger.h"
#include "platform/db/backup.h"
#include "platform/demo/demo_builder.h"
#include "platform/demo/demo_data.h"
#include "runtime/tables/payment_invariants.h"
#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

constexpr int kMostPayments = 150;

// Payments until the other end of `stop` closes; a byte on `started` once the
// first is committed.
[[noreturn]] void payingClerk(const std::string& name, int started, int stop) {
  int status = 0;
  try {
    auto db = db::Database::open(name);
    for (int n = 1; n <= kMostPayments; ++n) {
      db::Transaction tx(*db);
      demo::DemoBuilder(*db).nationalPayment("SCALE-PARENT", "BK" + std::to_string(n), 3);
      tx.commit();
      if (n == 1 && ::write(started, "x", 1) != 1) status = 1;
      pollfd told{stop, POLLIN, 0};
      if (::poll(&told, 1, 0) > 0) break;
    }
  } catch (...) {
    status = 1;
  }
  ::_exit(status);
}

std::map<std::string, std::int64_t> linesPerBatch(db::Database& db) {
  std::map<std::string, std::int64_t> lines;
  db::Statement st = db.prepare(
      "SELECT h.NABatNbr, COUNT(d.NABatNbr) FROM XNAHeader h"
      " LEFT JOIN XNADetail d ON d.NABatNbr = h.NABatNbr GROUP BY h.NABatNbr");
  while (st.step())
    lines[std::get<std::string>(st.column(0))] = std::get<std::int64_t>(st.column(1));
  return lines;
}

// What the invoices were billed: still open, or paid by an application.
double billed(db::Database& db) {
  db::Statement st = db.prepare(
      "SELECT (SELECT SUM(CuryDocBal) FROM ARDoc WHERE DocType = 'IN')"
      " + (SELECT COALESCE(SUM(CuryAdjdAmt), 0) FROM ARAdjust WHERE AdjdDocType = 'IN')");
  st.step();
  return std::get<double>(st.column(0));
}

class BackupWhileSaving : public Company {};

TEST_F(BackupWhileSaving, TheCopyHoldsWholePaymentsAndTheBooksHoldInIt) {
  demo::fillScaled(*db, 10, 600);
  const std::string name = dir.database("company.db"), backup = dir.file("company.backup");
  int started[2], stop[2];
  ASSERT_EQ(::pipe(started), 0);
  ASSERT_EQ(::pipe(stop), 0);
  const pid_t clerk = ::fork();
  if (clerk == 0) {
    ::close(started[0]);
    ::close(stop[1]);
    payingClerk(name, started[1], stop[0]);
  }
  ::close(started[1]);
  ::close(stop[0]);
  char byte = 0;
  const bool paying = ::read(started[0], &byte, 1) == 1;
  std::string failure;
  try {
    db::backupCompany(name, backup, false);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  ::close(stop[1]);
  ::close(started[0]);
  int status = 0;
  ::waitpid(clerk, &status, 0);
  ASSERT_TRUE(paying);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(failure, "");

  const std::string copyName = dir.database("copy.db");
  db::restoreCompany(backup, copyName, false);
  auto copy = db::Database::open(copyName);
  EXPECT_EQ(paymentInvariantProblems(*copy), std::vector<std::string>{});
  EXPECT_EQ(ar::ledgerProblems(*copy), std::vector<std::string>{});
  EXPECT_NEAR(billed(*copy), billed(*db), 0.005);
  const auto copied = linesPerBatch(*copy), saved = linesPerBatch(*db);
  EXPECT_GE(copied.size(), 1u);
  EXPECT_LE(copied.size(), saved.size());
  for (const auto& [batch, lines] : copied) EXPECT_EQ(lines, saved.at(batch)) << batch;
  EXPECT_EQ(paymentInvariantProblems(*db), std::vector<std::string>{});
  EXPECT_EQ(ar::ledgerProblems(*db), std::vector<std::string>{});
  std::cout << copied.size() << " of " << saved.size() << " payments in the copy\n";
}

}  // namespace
}  // namespace corvena::testing
