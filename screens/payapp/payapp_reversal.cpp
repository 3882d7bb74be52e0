// Reversing a closed batch through the host's payment application screen: one
// reversal per host payment the release made (and, for a credit, one of what
// the credit applied in the release's batch), released as one AR batch. A
// reversal killed half way is found again by the reversals it left in AR.
#include "platform/db/database.h"
#include "platform/forms/session.h"
#include "runtime/host_batch_state.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/payapp/payapp_release.h"
#include "screens/payapp/payapp_release_steps.h"
#include "screens/payapp/payapp_reverse.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;
using runtime::Trim;

namespace {

constexpr const char* Caption = "National Accounts";

// What is left to reverse: a payment whole, or what a credit applied in the
// release's batch alone.
struct Target {
  std::string cust, type, ref;
  bool onlyInBatch = false;
};

db::Statement statement(const std::string& sql, std::initializer_list<std::string> params) {
  db::Statement st = forms::session().database().prepare(sql);
  int i = 1;
  for (const auto& p : params) st.bind(i++, p);
  return st;
}

std::string column(const db::Statement& st, int i) {
  const db::Value v = st.column(i);
  const auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}

std::vector<Target> targets(PayApp& a) {
  const std::string hostBatch = a.bXNAHeader.ARBatNbr.trimmed();
  std::vector<Target> out;
  db::Statement pays = statement(
      "SELECT CustId, DocType, RefNbr FROM ARDoc WHERE BatNbr = ?1 AND BatNbr <> ''"
      " AND DocType = 'PA' AND Rlsed = 1 AND RevDocType = '' ORDER BY CustId, RefNbr",
      {hostBatch});
  while (pays.step()) out.push_back({column(pays, 0), column(pays, 1), column(pays, 2)});
  if (a.bXNAHeader.vond1.trimmed() == "NP") return out;
  db::Statement credit = statement(
      "SELECT c.CustId, c.DocType, c.RefNbr FROM ARDoc c WHERE c.DocType = ?2 AND c.RefNbr = ?3"
      " AND c.Rlsed = 1 AND c.RevDocType = '' AND EXISTS (SELECT 1 FROM ARAdjust j"
      "   WHERE j.AdjBatNbr = ?1 AND j.Rlsed = 1 AND j.CustId = c.CustId"
      "   AND j.AdjgDocType = c.DocType AND j.AdjgRefNbr = c.RefNbr)"
      " AND NOT EXISTS (SELECT 1 FROM ARDoc r WHERE r.DocType = 'RV' AND r.Rlsed = 1"
      "   AND r.CustId = c.CustId AND r.RevDocType = c.DocType AND r.RevRefNbr = c.RefNbr"
      "   AND r.RevBatNbr = ?1)",
      {hostBatch, a.bXNAHeader.vond1.trimmed(), a.bXNAHeader.vond2.trimmed()});
  while (credit.step())
    out.push_back({column(credit, 0), column(credit, 1), column(credit, 2), true});
  return out;
}

// The AR batches of the reversals of this batch's documents, released or not.
std::vector<std::string> reversalBatches(PayApp& a, bool released) {
  std::vector<std::string> out;
  db::Statement st = statement(
      "SELECT DISTINCT r.BatNbr FROM ARDoc r WHERE r.DocType = 'RV' AND r.Rlsed = ?2"
      " AND (r.RevBatNbr = ?1 OR EXISTS (SELECT 1 FROM ARDoc p WHERE p.CustId = r.CustId"
      "   AND p.DocType = r.RevDocType AND p.RefNbr = r.RevRefNbr AND p.BatNbr = ?1))"
      " ORDER BY r.BatNbr",
      {a.bXNAHeader.ARBatNbr.trimmed(), released ? "1" : "0"});
  while (st.step()) out.push_back(column(st, 0));
  return out;
}

void progress(const std::string& line) {
  Status(StatusWrite, 0, line, StatusProgress);
}

void failed(const std::string& line) {
  Status(StatusWrite, 0, line, StatusError);
}

void MarkReversed(PayApp& a, const std::string& hostBatch) {
  Sql(a.CSR_Release, "UPDATE XNAHeader SET Status = 'V', RevBatNbr = " + SParm(hostBatch) +
                         " WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr) +
                         " AND Status = 'C'");
  a.bXNAHeader.Status = "V";
  a.bXNAHeader.RevBatNbr = hostBatch;
}

// What the abandoned reversal saved in AR stays unreleased; it goes, so the
// next try starts from what AR released.
void HandleReversalError(std::string_view severity) {
  auto& a = payapp();
  if (severity != "STARTUP" && severity != "NOTFATAL" && severity != "FATAL") return;
  if (severity == "NOTFATAL") AbandonHostBatch(a.PayScreen);
  a.PayScreen.reset();
  if (severity != "STARTUP")
    for (const auto& batch : reversalBatches(a, false)) DeleteUnreleasedHostBatch(batch);
  Status(StatusClose, 0, "", 0);
}

const char* typeCaption(const std::string& type) {
  return type == "CM" ? "Credit Memo" : type == "PP" ? "Prepayment" : "Payment";
}

// One reversal, typed as a clerk types it: its own reference is the
// document's with an "R" before it (the batch number's for a credit's).
void EnterReversal(const runtime::HostErrorReport& report, const Target& t, const Date& date,
                   const std::string& reason) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  const std::string own = t.onlyInBatch ? a.bXNAHeader.NABatNbr.trimmed() : t.ref;
  hostStep(report, [&] { pay.StartNewAtLevel(HostFieldProperty(pay, "crefnbr", "Level")); });
  hostStep(report, [&] {
    HostField(pay, "cCustID").ControlValue(t.cust);
    HostField(pay, "cDocType").ControlValue("Reversal");
    HostField(pay, "cRefNbr").ControlValue(PrefixedReference('R', own));
  });
  hostStep(report, [&] {
    HostField(pay, "cDocDate").ControlValue(date.iso());
    HostField(pay, "cDocDesc").ControlValue(reason);
    HostField(pay, "cRevDocType").ControlValue(typeCaption(t.type));
    if (t.onlyInBatch) HostField(pay, "cRevBatNbr").ControlValue(a.bXNAHeader.ARBatNbr.trimmed());
    HostField(pay, "cRevRefNbr").ControlValue(t.ref);
  });
  hostStep(report, [&] { pay.SaveScreen(); });
}

// The reversals' batch, completed with Release Now; its number.
std::string ReleaseReversals(const runtime::HostErrorReport& report, std::string& why) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  std::string batch;
  hostStep(report, [&] {
    HostField(pay, "cctrltot").ControlValue(HostField(pay, "ccrtot"));
    HostField(pay, "cbathandling").ControlValue("Release Now");
    pay.SaveScreen();
    batch = Trim(HostField(pay, "cBatNbr").ControlValue());
  });
  hostStep(report, [&] {
    pay.StartNewAtLevel("Batch");
    why = Trim(pay.ScreenErrorText());
  });
  hostStep(report, [&] { pay.CloseScreen(); });
  a.PayScreen.reset();
  return batch;
}

void DriveReversal(PayApp& a, const std::vector<Target>& left, const Date& date,
                   const std::string& reason) {
  progress("Reversing Payment Application...");
  if (!HostScreenStarted(a.PayScreen, "0803000.exe")) throw ReleaseEnded{};
  const runtime::HostErrorReport report{.skippedCodes = {23, 126, 6243, 6371},
                                        .abort = HandleReversalError};
  hostStep(report, [&] {
    HostField(*a.PayScreen, "lxNAFlag")
        .ControlProperties()
        .PropertyByName("caption")
        .PropertyValue("Reversing National Account");
  });
  for (const Target& t : left) EnterReversal(report, t, date, reason);
  std::string why;
  const std::string batch = ReleaseReversals(report, why);
  if (!batch.empty() && runtime::HostBatchReleased(a.CSR_Release, batch)) {
    MarkReversed(a, batch);
    progress("Reversed in AR as batch " + batch + ".");
    return;
  }
  MessBox("The Corvena Payment Application Batch was not reversed.", StyleWarning, "Error");
  failed(why.empty() ? "AR batch " + batch + " was not released." : why);
  if (!batch.empty()) DeleteUnreleasedHostBatch(batch);
}

void ShowStatus(PayApp& a) {
  DispFields(a.Form1, a.cStatus, a.cStatus);
  ApplyBatchStatus();
}

}  // namespace

bool RecoverInterruptedReversal() {
  auto& a = payapp();
  for (const auto& batch : reversalBatches(a, false)) {
    DeleteUnreleasedHostBatch(batch);
    MessBox("An earlier reversal of this batch was interrupted; what it left unreleased in AR batch " +
                batch + " was removed.",
            StyleWarning, Caption);
  }
  const auto released = reversalBatches(a, true);
  if (a.bXNAHeader.Status.trimmed() != "C" || released.empty() || !targets(a).empty()) return false;
  MarkReversed(a, released.back());
  MessBox("The reversal of this batch had completed in AR as batch " + released.back() +
              "; the batch is reversed.",
          StyleWarning, Caption);
  return true;
}

void ReverseBatch(const Date& date, const std::string& reason) {
  auto& a = payapp();
  Status(StatusOpen, 0, "", 0);
  a.Releasing = true;
  try {
    const std::vector<Target> left = RecoverInterruptedReversal() ? std::vector<Target>{} : targets(a);
    if (!left.empty()) DriveReversal(a, left, date, reason);
    Status(StatusClose, 0, "", 0);
  } catch (const ReleaseEnded&) {
  }
  a.Releasing = false;
  ShowStatus(a);
}

}  // namespace corvena::payapp
