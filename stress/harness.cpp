#include "stress/harness.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/ar/ledger.h"
#include "platform/ar/ledger_sql.h"
#include "platform/db/database.h"
#include "platform/demo/demo_data.h"
#include "runtime/tables/payment_invariants.h"

namespace corvena::stress {

namespace {

constexpr int kChildren = 50;
constexpr int kDocuments = 3000;

std::string text(const db::Value& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
  if (const auto* d = std::get_if<double>(&v)) return std::to_string(*d);
  return "";
}

}  // namespace

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

Harness::Harness(std::string bin, std::string work, unsigned seed, Scale scale, std::string server)
    : bin_(std::move(bin)),
      work_(std::move(work)),
      database_(server.empty() ? work_ + "/company.db"
                               : server + "/stress_" + std::to_string(::getpid())),
      rnd_(seed),
      scale_(scale) {
  std::filesystem::create_directories(work_);
  // Releases start the host's AR screens from beside the module's.
  ::setenv("CORVENA_PROGRAM_PATH", bin_.c_str(), 1);
  auto db = db::Database::create(database_);
  demo::fillScaled(*db, kChildren, kDocuments);
  start_ = ar::readBooks(*db);
}

ProbeResult Harness::booksReconcile() {
  ProbeResult r{"the day's books reconcile"};
  auto db = db::Database::open(database_);
  const ar::Books end = ar::readBooks(*db);
  for (auto& p : ar::booksDisagree(start_, end)) r.notes.push_back(std::move(p));
  r.failures = static_cast<int>(r.notes.size());
  r.trials = 1;
  r.notes.push_back(ar::money(end.checksReceived - start_.checksReceived) + " in checks received");
  return r;
}

Clerk Harness::start(const std::string& program, const std::string& script) {
  const std::string stem = work_ + "/run" + std::to_string(++runs_);
  writeFile(stem + ".script", script);
  return Clerk(Launch{bin_ + "/" + program, database_, "CLERK" + std::to_string(runs_ % 100),
                      stem + ".script", stem + ".out"});
}

RunResult Harness::run(const std::string& program, const std::string& script) {
  return start(program, script).finish();
}

void Harness::judge(ProbeResult& r, const RunResult& run, const std::string& what) {
  if (!run.crashed && run.exitCode <= 3) return;
  ++r.failures;
  r.notes.push_back(what + (run.crashed ? ": crashed" : ": exit " + std::to_string(run.exitCode)) +
                    " (" + run.output.substr(run.output.size() > 300 ? run.output.size() - 300 : 0) +
                    ")");
}

void Harness::checkDatabase(ProbeResult& r, const std::string& database) {
  std::vector<std::string> problems;
  try {
    auto db = db::Database::open(database.empty() ? database_ : database);
    for (const char* table : {"XNAHeader", "XNADetail", "XNASetup", "XNACustS", "Customer", "ARDoc"})
      db->prepare(std::string("SELECT COUNT(*) FROM ") + table).step();
    problems = paymentInvariantProblems(*db);
    for (auto& p : ar::ledgerProblems(*db)) problems.push_back(std::move(p));
  } catch (const std::exception& e) {
    problems.push_back(e.what());
  }
  for (auto& p : problems) {
    if (!seen_.insert(p).second) continue;
    ++r.failures;
    r.notes.push_back(std::move(p));
  }
}

std::string Harness::value(const std::string& sql) {
  auto db = db::Database::open(database_);
  db::Statement st = db->prepare(sql);
  return st.step() ? text(st.column(0)) : "";
}

void Harness::exec(const std::string& sql) {
  db::Database::open(database_)->exec(sql);
}

std::string Harness::batchState(const std::string& ref) {
  return value("SELECT COUNT(*) FROM XNAHeader WHERE RefNbr = '" + ref + "'") + "/" +
         value("SELECT COUNT(*) FROM XNADetail d JOIN XNAHeader h ON h.NABatNbr = d.NABatNbr"
               " WHERE h.RefNbr = '" + ref + "'");
}

}  // namespace corvena::stress
