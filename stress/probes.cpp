// The probes: clerks at once, killed processes, hostile and random input. Each
// counts its trials and failures and ends by checking the database.
#include <chrono>

#include "platform/ar/invoice_entry.h"
#include "platform/ar/payment_entry.h"
#include "platform/forms/form.h"
#include "screens/customer/qm18100_form.h"
#include "screens/payapp/payapp_form.h"
#include "screens/setup/qm18200_form.h"
#include "stress/harness.h"

namespace corvena::stress {

namespace {

constexpr int kSharedBatches = 6;

struct Screen {
  const char* program;
  forms::FormDesc form;
  std::string prelude;  // what a clerk does first, so the grid has lines
};

std::vector<Screen> screens() {
  return {{"QM18300", payapp::Form1Desc(),
           "set cCustId " + std::string(kParent) + "\nline Spread1 1\n"},
          {"QM18100", qm18100::QM18100Form(), "set cPrimaryCustId SCALE-X1\n"},
          {"QM18200", qm18200::QM18200Form(), ""},
          {"0801000", ar::invoiceEntryForm(), "line Spread1 new\n"},
          {"0803000", ar::paymentEntryForm(), "set cCustID " + std::string(kParent) + "\n"}};
}

bool isField(forms::ControlClass c) {
  using enum forms::ControlClass;
  return c == MaskedText || c == Combo || c == Check || c == OptionGroup || c == Float || c == Date;
}

std::vector<std::string> names(const forms::FormDesc& form, bool fieldsOnly) {
  std::vector<std::string> out;
  for (const auto& c : form.controls)
    if (isField(c.cls) || (!fieldsOnly && c.cls == forms::ControlClass::Button))
      out.push_back(c.name);
  return out;
}

}  // namespace

ProbeResult Harness::concurrentPayments() {
  ProbeResult r{"concurrent payment saves"};
  std::vector<Clerk> clerks;
  for (int c = 1; c <= scale_.clerks; ++c) {
    std::string script;
    for (int s = 1; s <= scale_.saves; ++s)
      script += paymentScript(rnd_, "K" + std::to_string(c) + "S" + std::to_string(s),
                              1 + rnd_.upTo(4), kWindow);
    clerks.push_back(start("QM18300", script));
  }
  int refused = 0;
  for (auto& clerk : clerks) {
    const RunResult run = clerk.finish();
    judge(r, run, "payment clerk");
    refused += count(run.output, "REFUSED save");
  }
  r.trials = scale_.clerks * scale_.saves;
  r.notes.push_back("saved " + value("SELECT COUNT(*) FROM XNAHeader") + ", refused " +
                    std::to_string(refused));
  checkDatabase(r);
  return r;
}

ProbeResult Harness::sharedBatchEdits() {
  ProbeResult r{"line edits on shared batches"};
  std::string setup;
  for (int b = 1; b <= kSharedBatches; ++b)
    setup += paymentScript(rnd_, "SB" + std::to_string(b), 6, kWindow);
  judge(r, run("QM18300", setup), "batch setup");
  std::vector<std::string> batches;
  for (int b = 1; b <= kSharedBatches; ++b)
    batches.push_back(value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = 'SB" +
                            std::to_string(b) + "'"));
  std::vector<Clerk> clerks;
  for (int c = 1; c <= scale_.clerks; ++c) {
    std::string script;
    for (int e = 0; e < scale_.saves; ++e)
      script += lineEditScript(rnd_, batches[rnd_.upTo(kSharedBatches) - 1], 8);
    clerks.push_back(start("QM18300", script));
  }
  int refused = 0;
  for (auto& clerk : clerks) {
    const RunResult run = clerk.finish();
    judge(r, run, "editing clerk");
    refused += count(run.output, "REFUSED");
  }
  r.trials = scale_.clerks * scale_.saves;
  r.notes.push_back("refusals " + std::to_string(refused));
  checkDatabase(r);
  return r;
}

// A large save, then its delete, each killed at a random moment: afterwards the
// batch is there whole or not at all.
ProbeResult Harness::killedSaves() {
  ProbeResult r{"kill -9 during large saves and deletes"};
  const RunResult full = run("QM18300", largePaymentScript("KCAL", scale_.largeLines));
  const std::string whole = batchState("KCAL");
  const std::string batch = value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = 'KCAL'");
  const RunResult removal = run("QM18300", deleteScript(batch));
  if (whole == "1/0" || whole.rfind("1/", 0) != 0 || batchState("KCAL") != "0/0") {
    r.notes.push_back("the unkilled save and delete did not work: " + whole);
    ++r.failures;
    return r;
  }
  int kept = 0;
  for (int k = 1; k <= scale_.kills; ++k) {
    const std::string ref = "KILL" + std::to_string(k);
    const auto at = [&](double seconds) {
      return std::chrono::microseconds(
          static_cast<long>(seconds * rnd_.between(0.5, 1.5) * 1e6));
    };
    judge(r, start("QM18300", largePaymentScript(ref, scale_.largeLines)).finish(at(full.seconds)),
          "killed save");
    std::string state = batchState(ref);
    if (state != "0/0" && state != whole) r.notes.push_back("save of " + ref + " left " + state);
    if (state == whole) {
      ++kept;
      const std::string nbr = value("SELECT NABatNbr FROM XNAHeader WHERE RefNbr = '" + ref + "'");
      judge(r, start("QM18300", deleteScript(nbr)).finish(at(removal.seconds)), "killed delete");
      state = batchState(ref);
      if (state != "0/0" && state != whole) r.notes.push_back("delete of " + ref + " left " + state);
    }
    if (state != "0/0" && state != whole) ++r.failures;
    exec("DELETE FROM XNADetail WHERE NABatNbr IN (SELECT NABatNbr FROM XNAHeader WHERE RefNbr = '" +
         ref + "'); DELETE FROM XNAHeader WHERE RefNbr = '" + ref + "'");
    r.trials += 2;
  }
  r.notes.push_back("whole batch " + whole + " in " + std::to_string(full.seconds) + " s; " +
                    std::to_string(kept) + " of " + std::to_string(scale_.kills) +
                    " killed saves had committed");
  checkDatabase(r);
  return r;
}

// A saved payment released into AR, its process killed at a random moment;
// then released again. Nothing may be paid twice, whatever the kill left.
ProbeResult Harness::killedReleases() {
  ProbeResult r{"kill -9 during releases into AR"};
  judge(r, run("0801000", parentCreditScript("SCALECM1", "100000")), "credit to apply");
  const auto saveBatch = [&](const std::string& ref, bool credit) {
    const std::string last = value("SELECT MAX(NABatNbr) FROM XNAHeader");
    judge(r, run("QM18300", credit ? creditPaymentScript(rnd_, "SCALECM1", 3, kWindow)
                                   : paymentScript(rnd_, ref, 3, kWindow)),
          "payment for release");
    const std::string saved = value("SELECT MAX(NABatNbr) FROM XNAHeader");
    return saved == last ? std::string() : saved;
  };
  const RunResult full = run("QM18300", releaseScript(saveBatch("RCAL", false)));
  int closed = 0;
  for (int k = 1; k <= scale_.releases; ++k) {
    // Every other batch applies the parent's credit, so kills meet its debit memo too.
    const std::string batch = saveBatch("RK" + std::to_string(k), k % 2 == 0);
    if (batch.empty()) continue;
    const auto at = std::chrono::microseconds(
        static_cast<long>(full.seconds * rnd_.between(0.2, 1.2) * 1e6));
    judge(r, start("QM18300", releaseScript(batch)).finish(at), "killed release");
    // What the kill left is recovered when the batch is recalled to be released again.
    judge(r, run("QM18300", releaseScript(batch)), "release again");
    checkDatabase(r);
    closed += value("SELECT Status FROM XNAHeader WHERE NABatNbr = '" + batch + "'") == "C";
    r.trials += 2;
  }
  r.notes.push_back("a release in " + std::to_string(full.seconds) + " s; " +
                    std::to_string(closed) + " of " + std::to_string(scale_.releases) +
                    " batches closed after the kill and a second release");
  checkDatabase(r);
  return r;
}

ProbeResult Harness::fuzzedScripts() {
  ProbeResult r{"fuzzed script lines"};
  for (const auto& screen : screens()) {
    const auto controls = names(screen.form, false);
    for (int f = 0; f < scale_.fuzzScripts; ++f) {
      judge(r, run(screen.program, screen.prelude + fuzzScript(rnd_, controls, 40)),
            std::string(screen.program) + " fuzz");
      ++r.trials;
    }
  }
  checkDatabase(r);
  return r;
}

ProbeResult Harness::hostileValues() {
  ProbeResult r{"hostile values in every field"};
  for (const auto& screen : screens()) {
    const auto fields = names(screen.form, true);
    for (const auto& v : stress::hostileValues()) {
      judge(r, run(screen.program, hostileScript(fields, v, screen.prelude)),
            std::string(screen.program) + " hostile " + v.substr(0, 20));
      ++r.trials;
    }
  }
  checkDatabase(r);
  return r;
}

}  // namespace corvena::stress
