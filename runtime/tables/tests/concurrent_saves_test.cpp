// Clerks saving payment batches at once, each in a process of its own, applying
// to the same documents: every batch number handed out once, every save reported
// saved really there, and no document applied past its balance.

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>

#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

constexpr int kClerks = 4;
constexpr int kSavesEach = 250;
const char* const kDocuments[] = {"D1", "D2", "D3"};

// One save: a batch numbered in its transaction, an application to each document,
// refused when the documents cannot take it, then closed as its release would,
// taking the documents' balances. Returns the batch number when saved.
std::string saveBatch(db::Database& db, int clerk, int save) {
  db::Transaction tx(db);
  db::Statement next = db.run("AutoNbr_Next 'XNAPaymentAutoNbr'");
  if (!next.step()) return "";
  const std::string batch = std::get<std::string>(next.column(0));
  next = db::Statement();
  db.run(db::Call{"", "INSERT INTO XNAHeader (NABatNbr, CustId, Status) VALUES (?1, 'P', 'O')", {batch}})
      .step();
  const double amount = 1.0 + (clerk + save) % 3;
  for (const char* doc : kDocuments)
    db.run(db::Call{"",
                    "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, CuryApplAmt) "
                    "VALUES (?1, 'P', 'IN', ?2, ?3)",
                    {batch, std::string(doc), amount}})
        .step();
  for (const char* check : {"XNADetail_HeldElsewhere ", "XNADetail_Overapplied "})
    if (db.run(check + db::textLiteral(batch)).step()) return "";
  db.run(db::Call{"", "UPDATE ARDoc SET CuryDocBal = CuryDocBal - ?1", {amount}}).step();
  db.run(db::Call{"", "UPDATE XNAHeader SET Status = 'C' WHERE NABatNbr = ?1", {batch}}).step();
  tx.commit();
  return batch;
}

// A clerk's process: the batches it saved, one a line, in its own file.
[[noreturn]] void clerk(const std::string& name, int n, const std::string& out) {
  int status = 0;
  try {
    auto db = db::Database::open(name);
    std::ofstream saved(out);
    for (int i = 0; i < kSavesEach; ++i) {
      try {
        const std::string batch = saveBatch(*db, n, i);
        if (!batch.empty()) saved << batch << "\n" << std::flush;
      } catch (const db::DbError&) {
        saved << "refused\n";
      }
    }
  } catch (...) {
    status = 1;
  }
  ::_exit(status);
}

class ConcurrentSaves : public Company {};

TEST_F(ConcurrentSaves, NoDuplicateNumberLostSaveOrOverAppliedDocument) {
  db->exec(
      "INSERT INTO XNASetup (LastNABatNbr) VALUES ('0000000000');"
      "INSERT INTO ARDoc (CustId, DocType, RefNbr, Rlsed, OpenDoc, CuryDocBal) VALUES"
      " ('P', 'IN', 'D1', 1, 1, 500), ('P', 'IN', 'D2', 1, 1, 500), ('P', 'IN', 'D3', 1, 1, 500)");
  std::vector<pid_t> clerks;
  for (int n = 0; n < kClerks; ++n) {
    const pid_t pid = ::fork();
    if (pid == 0) clerk(dir.database("company.db"), n, dir.file("clerk" + std::to_string(n)));
    clerks.push_back(pid);
  }
  for (const pid_t pid : clerks) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::map<std::string, int> reported;
  int refusedByError = 0;
  for (int n = 0; n < kClerks; ++n) {
    std::ifstream in(dir.file("clerk" + std::to_string(n)));
    for (std::string line; std::getline(in, line);)
      line == "refused" ? ++refusedByError : ++reported[line];
  }
  int duplicates = 0, lost = 0;
  for (const auto& [batch, times] : reported) {
    duplicates += times - 1;
    db::Statement st = db->run("SELECT COUNT(*) FROM XNADetail WHERE NABatNbr = " + db::textLiteral(batch));
    st.step();
    lost += std::get<std::int64_t>(st.column(0)) == 3 ? 0 : 1;
  }
  db::Statement over = db->run(
      "SELECT COUNT(*) FROM ARDoc a WHERE a.CuryDocBal < -0.005 OR ABS(a.CuryDocBal + "
      "(SELECT SUM(d.CuryApplAmt) FROM XNADetail d WHERE d.RefNbr = a.RefNbr) - 500) > 0.005");
  over.step();
  db::Statement headers = db->run("SELECT COUNT(*) FROM XNAHeader");
  headers.step();
  RecordProperty("saved", static_cast<int>(reported.size()));
  EXPECT_EQ(duplicates, 0);
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(std::get<std::int64_t>(over.column(0)), 0);
  EXPECT_EQ(refusedByError, 0);
  EXPECT_EQ(std::get<std::int64_t>(headers.column(0)), static_cast<std::int64_t>(reported.size()));
  EXPECT_GT(reported.size(), 150u);
  EXPECT_LT(reported.size(), static_cast<std::size_t>(kClerks * kSavesEach));
  std::cout << "saved " << reported.size() << " of " << kClerks * kSavesEach
            << "; duplicates " << duplicates << ", lost " << lost << ", over-applied "
            << std::get<std::int64_t>(over.column(0)) << "\n";
}

}  // namespace
}  // namespace corvena::testing
