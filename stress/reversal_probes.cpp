// Reversals killed at random moments and reversed again: each host payment of
// the batch is reversed exactly once, and the ledger holds after every step.
#include "stress/harness.h"

namespace corvena::stress {

namespace {

// The host payments of the batch not reversed exactly once.
std::string notReversedOnce(const std::string& batch) {
  return "SELECT COUNT(*) FROM ARDoc p JOIN XNAHeader h ON h.ARBatNbr = p.BatNbr"
         " WHERE h.NABatNbr = '" + batch + "' AND p.DocType = 'PA' AND (SELECT COUNT(*) FROM ARDoc r"
         "   WHERE r.DocType = 'RV' AND r.Rlsed = 1 AND r.CustId = p.CustId"
         "   AND r.RevDocType = p.DocType AND r.RevRefNbr = p.RefNbr) <> 1";
}

}  // namespace

ProbeResult Harness::killedReversals() {
  ProbeResult r{"kill -9 during reversals, reversed again"};
  const auto status = [&](const std::string& batch) {
    return value("SELECT Status FROM XNAHeader WHERE NABatNbr = '" + batch + "'");
  };
  std::vector<std::string> batches;
  for (int k = 1; k <= std::max(2, scale_.releases / 2); ++k) {
    const std::string ref = "RV" + std::to_string(k);
    judge(r, run("QM18300", paymentScript(rnd_, ref, 3, kWindow)), "payment to reverse");
    const std::string batch = value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = '" + ref + "'");
    if (batch.empty()) continue;
    judge(r, run("QM18300", releaseScript(batch)), "release to reverse");
    if (status(batch) == "C") batches.push_back(batch);
  }
  if (batches.empty()) return r;
  const RunResult full = run("QM18300", reverseScript(batches.front()));
  judge(r, full, "reversal");
  // The first batch is reversed already: its kill and second try meet the refusal.
  int caught = 0, reversed = 0;
  for (const auto& batch : batches) {
    const auto at = std::chrono::microseconds(
        static_cast<long>(full.seconds * rnd_.between(0.1, 1.1) * 1e6));
    const RunResult killed = start("QM18300", reverseScript(batch)).finish(at);
    judge(r, killed, "killed reversal");
    caught += killed.killed;
    checkDatabase(r);
    judge(r, run("QM18300", reverseScript(batch)), "reversal again");
    checkDatabase(r);
    if (status(batch) != "V" || value(notReversedOnce(batch)) != "0") {
      ++r.failures;
      r.notes.push_back("batch " + batch + " is " + status(batch) + " with " +
                        value(notReversedOnce(batch)) + " payments not reversed exactly once");
    }
    reversed += status(batch) == "V";
    r.trials += 2;
  }
  r.notes.push_back("a reversal in " + std::to_string(full.seconds) + " s; " +
                    std::to_string(caught) + " kills; " + std::to_string(reversed) + " of " +
                    std::to_string(batches.size()) + " batches reversed after a kill");
  return r;
}

}  // namespace corvena::stress
