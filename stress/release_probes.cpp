// Probes of releases and of what two clerks may leave behind: a release AR
// refuses, one invoice paid in part by two clerks saving at once, and credits
// transferred to stores.
#include "stress/harness.h"

#include "platform/db/database.h"

namespace corvena::stress {

// A batch whose release was stopped (`stopped` says how, when the batch must
// still be open) is released again; true when it then closed.
bool Harness::releasedAgain(ProbeResult& r, const std::string& batch, const std::string& stopped) {
  const auto status = [&] { return value("SELECT Status FROM XNAHeader WHERE NABatNbr = '" + batch + "'"); };
  if (!stopped.empty() && status() == "C") {
    ++r.failures;
    r.notes.push_back("batch " + batch + " closed though " + stopped);
  }
  checkDatabase(r);
  judge(r, run("QM18300", releaseScript(batch)), "release again");
  checkDatabase(r);
  return status() == "C";
}

// AR keeps the batch unreleased (no cash account to post to): the batch stays
// open, no line is marked paid, and once AR can post it releases whole.
ProbeResult Harness::givenUpReleases() {
  ProbeResult r{"releases AR refused, released again"};
  const std::string cash = value("SELECT ChkAcct FROM ARSetup");
  int closed = 0;
  for (int k = 1; k <= std::max(1, scale_.releases / 2); ++k) {
    const std::string ref = "RG" + std::to_string(k);
    judge(r, run("QM18300", paymentScript(rnd_, ref, 3, kWindow)), "payment for release");
    const std::string batch = value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = '" + ref + "'");
    if (batch.empty()) continue;
    exec("UPDATE ARSetup SET ChkAcct = ''");
    judge(r, run("QM18300", releaseScript(batch)), "release AR refuses");
    exec("UPDATE ARSetup SET ChkAcct = '" + cash + "'");
    closed += releasedAgain(r, batch, "AR refused its release");
    r.trials += 2;
  }
  r.notes.push_back(std::to_string(closed) + " batches closed on their second release");
  return r;
}

// Two clerks pay part of the same invoice in batches saved at once: one
// batch holds it, the other's save is refused, and each saved batch is whole.
ProbeResult Harness::partPaymentsOfOneInvoice() {
  ProbeResult r{"two clerks paying parts of one invoice"};
  int refused = 0;
  for (int k = 1; k <= scale_.clerks; ++k) {
    std::vector<Clerk> clerks;
    for (const char* who : {"A", "B"})
      clerks.push_back(start("QM18300", partPaymentScript("PP" + std::to_string(k) + who, 1, "0.01")));
    for (auto& clerk : clerks) {
      const RunResult run = clerk.finish();
      judge(r, run, "part-paying clerk");
      refused += count(run.output, "REFUSED save");
    }
    for (const char* who : {"A", "B"}) {
      const std::string state = batchState("PP" + std::to_string(k) + who);
      if (state == "0/0" || state == "1/1") continue;
      ++r.failures;
      r.notes.push_back("batch PP" + std::to_string(k) + who + " left " + state);
    }
    checkDatabase(r);
    exec("DELETE FROM XNADetail WHERE NABatNbr IN (SELECT NABatNbr FROM XNAHeader"
         " WHERE RefNbr LIKE 'PP%'); DELETE FROM XNAHeader WHERE RefNbr LIKE 'PP%'");
    r.trials += 2;
  }
  r.notes.push_back("refused " + std::to_string(refused) + " of " + std::to_string(2 * scale_.clerks));
  return r;
}

// A release killed once the host has saved its batch with Release Now and
// before AR released it: the batch is not closed, no line is marked paid, and
// the release again settles what was left and closes the batch.
ProbeResult Harness::releasesKilledBeforeAR() {
  ProbeResult r{"kill -9 between the host's save and release"};
  auto db = db::Database::open(database_);
  int caught = 0, closed = 0;
  for (int k = 1; k <= std::max(1, scale_.releases / 2); ++k) {
    const std::string ref = "RH" + std::to_string(k);
    judge(r, run("QM18300", paymentScript(rnd_, ref, 3, kWindow)), "payment for release");
    const std::string batch = value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = '" + ref + "'");
    if (batch.empty()) continue;
    const std::string waiting =
        "SELECT COUNT(*) FROM XNAHeader h JOIN Batch b ON b.Module = 'AR' AND b.BatNbr = h.ARBatNbr"
        " WHERE h.NABatNbr = '" + batch + "' AND b.Handling = 'R' AND b.Rlsed = 0";
    const RunResult killed = start("QM18300", releaseScript(batch)).finishWhen([&] {
      db::Statement st = db->prepare(waiting);
      if (!st.step()) return false;
      const db::Value v = st.column(0);
      return std::holds_alternative<std::int64_t>(v) && std::get<std::int64_t>(v) > 0;
    });
    judge(r, killed, "release killed before AR");
    caught += killed.killed;
    closed += releasedAgain(r, batch, killed.killed ? "AR had not released it" : "");
    r.trials += 2;
  }
  r.notes.push_back(std::to_string(caught) + " kills between the host's save and release; " +
                    std::to_string(closed) + " batches closed on their next release");
  return r;
}

// A credit memo of the parent entered in 0801000 and moved whole to two
// children through QM18900: a debit memo on the parent, a credit memo each.
ProbeResult Harness::transfers() {
  ProbeResult r{"credits transferred to two stores"};
  int closed = 0;
  for (int k = 1; k <= std::max(1, scale_.releases / 4); ++k) {
    const std::string ref = "TRCM" + std::to_string(k);
    judge(r, run("0801000", parentCreditScript(ref, "200")), "credit to transfer");
    const RunResult run = this->run("QM18900", transferScript(ref, "100", "SCALE-000001", "SCALE-000002"));
    judge(r, run, "transfer");
    closed += count(run.output, "SHOW cStatus: C");
    checkDatabase(r);
    ++r.trials;
  }
  r.notes.push_back(std::to_string(closed) + " transfers released");
  return r;
}

}  // namespace corvena::stress
