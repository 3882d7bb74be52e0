#pragma once
// The reliability run: a scaled company, clerks as real screen processes, and
// after every probe the database's integrity and the payments' invariants.

#include <set>
#include <string>
#include <vector>

#include "platform/ar/books.h"
#include "stress/clerk_scripts.h"
#include "stress/process_run.h"

namespace corvena::stress {

inline constexpr int kWindow = 30;  // clerks pick among the first lines, so they meet

// How often `what` stands in a clerk's output.
int count(const std::string& text, const std::string& what);

struct Scale {
  int clerks = 4;
  int saves = 40;  // per clerk, payments and line edits alike
  int kills = 30;  // kill trials of saves, and as many of deletes
  int largeLines = 400;
  int fuzzScripts = 40;  // per screen
  int releases = 12;     // kill trials of releases into AR
};

struct ProbeResult {
  std::string probe;
  int trials = 0;
  int failures = 0;
  std::vector<std::string> notes;  // what failed, and what was seen
};

class Harness {
 public:
  // The company database is a file in `work`, or, given a server ("postgresql://user@host"),
  // a database of its own there.
  Harness(std::string bin, std::string work, unsigned seed, Scale scale, std::string server = "");

  const std::string& database() const { return database_; }
  ProbeResult concurrentPayments();
  ProbeResult sharedBatchEdits();
  ProbeResult killedSaves();
  ProbeResult killedReleases();
  ProbeResult givenUpReleases();
  ProbeResult releasesKilledBeforeAR();
  // Reversals (reversal_probes.cpp) killed at random moments and reversed again.
  ProbeResult killedReversals();
  ProbeResult partPaymentsOfOneInvoice();
  ProbeResult transfers();
  ProbeResult backupWhileSaving();
  // Last: whatever the probes did, AR per account moved as the GL, cash as the checks.
  ProbeResult booksReconcile();
  ProbeResult fuzzedScripts();
  ProbeResult hostileValues();
  // The sign-on (sign_on_probes.cpp): what a second Unix user can do with the
  // presence file and a stolen ticket, tickets after a change, what refusals
  // cost, and the server's hold-off of a guessed user.
  ProbeResult presenceAndTickets();
  ProbeResult ticketsEnd();
  ProbeResult refusalTimes();
  ProbeResult serverHoldOff();

 private:
  // A company file with users that a second Unix user may reach and write.
  std::string signOnCompany();
  Clerk start(const std::string& program, const std::string& script);
  RunResult run(const std::string& program, const std::string& script);
  // A clerk ending by a crash or a fault no boundary caught is a failure.
  void judge(ProbeResult& r, const RunResult& run, const std::string& what);
  // Integrity, the tables still there, the payments' invariants, in the company
  // or the database given; a problem is counted by the probe that first left it.
  void checkDatabase(ProbeResult& r, const std::string& database = "");
  std::string value(const std::string& sql);
  void exec(const std::string& sql);
  // "headers/lines" of the batches carrying the payment reference.
  std::string batchState(const std::string& ref);
  bool releasedAgain(ProbeResult& r, const std::string& batch, const std::string& stopped);

  std::string bin_, work_, database_;
  Random rnd_;
  Scale scale_;
  int runs_ = 0;
  std::set<std::string> seen_;
  ar::Books start_;  // the books as the day began
};

}  // namespace corvena::stress
