// The administrator's backup taken while clerks save payments: the copy,
// restored beside the company, passes what the company itself must.
#include "platform/db/database.h"
#include "stress/harness.h"

namespace corvena::stress {

namespace {

std::int64_t payments(const std::string& database) {
  auto db = db::Database::open(database);
  db::Statement st = db->prepare("SELECT COUNT(*) FROM XNAHeader");
  st.step();
  return std::get<std::int64_t>(st.column(0));
}

}  // namespace

ProbeResult Harness::backupWhileSaving() {
  ProbeResult r{"backup while clerks save"};
  std::vector<Clerk> clerks;
  for (int c = 1; c <= scale_.clerks; ++c) {
    std::string script;
    for (int s = 1; s <= scale_.saves; ++s)
      script += paymentScript(rnd_, "BK" + std::to_string(c) + "S" + std::to_string(s),
                              1 + rnd_.upTo(4), kWindow);
    clerks.push_back(start("QM18300", script));
  }
  const std::string tool = bin_ + "/corvena-db", backup = work_ + "/company.backup";
  const std::string copy = database_ + (database_.rfind("postgresql:", 0) == 0 ? "_copy" : ".copy");
  const RunResult made = Clerk({tool, "backup", database_, backup}, work_ + "/backup.out").finish();
  for (auto& clerk : clerks) judge(r, clerk.finish(), "payment clerk");
  const RunResult restored =
      Clerk({tool, "restore", backup, copy}, work_ + "/restore.out").finish();
  r.trials = 1;
  for (const auto* run : {&made, &restored})
    if (run->crashed || run->exitCode != 0) {
      ++r.failures;
      r.notes.push_back(run->output);
    }
  if (r.failures == 0) {
    checkDatabase(r, copy);
    r.notes.push_back("the copy holds " + std::to_string(payments(copy)) + " of " +
                      std::to_string(payments(database_)) + " payment batches");
    db::Database::remove(copy);
  }
  checkDatabase(r);
  return r;
}

}  // namespace corvena::stress
