// The release driver: runs once the batch is saved with "Release Now".
#include "screens/payapp/payapp_release.h"

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/payapp/payapp_grid.h"
#include "screens/payapp/payapp_release_steps.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;
using runtime::Trim;

namespace {

void progress(const std::string& line) {
  Status(StatusWrite, 0, line, StatusProgress);
}

void failed(const std::string& line) {
  Status(StatusWrite, 0, line, StatusError);
}

}  // namespace

bool HostScreenStarted(std::unique_ptr<runtime::HostScreen>& screen, const char* program) {
  std::int16_t iErr = 0;
  std::int32_t lErr = 0;
  screen = runtime::StartAppAndAutomate(program, iErr, lErr);
  if (iErr == 0 && screen) return true;
  MessBox(
      "Business Object Automation Error: " + std::to_string(iErr) + " - " + std::to_string(lErr),
      StyleWarning, "Automation Error");
  if (!screen) MessBox("Business Object not initialized", StyleWarning, "Automation Error");
  HandlePaymentAppError("STARTUP");
  return false;
}

namespace {

bool memoReleased(PayApp& a) {
  double released = 0;
  Sql(a.CSR_Release, "select count(*) from ARDoc where DocType = 'DM' and Rlsed = 1 and DocDesc like " +
                         SParm("NA" + a.bXNAHeader.NABatNbr.trimmed() + "%"));
  SGroupFetch1(a.CSR_Release, released, 8);
  return released > 0;
}

void debitMemoPhase() {
  auto& a = payapp();
  progress("Creating Debit Memo...");
  if (!HostScreenStarted(a.MemoScreen, "0801000.exe")) throw ReleaseEnded{};
  auto& memo = *a.MemoScreen;
  const runtime::HostErrorReport report{.skippedCodes = {126, 2104, 2105, 6371},
                                        .abort = HandleDebitMemoError};
  hostStep(report, [&] { memo.PrepareScreen(false); });
  EnterDebitMemo();
  hostStep(report, [&] {
    HostField(memo, "corigdocamt").ControlValue(HostField(memo, "cdocbal"));
    memo.SaveScreen();
  });
  hostStep(report, [&] {
    HostField(memo, "cctrltot").ControlValue(HostField(memo, "ccrtot"));
    HostField(memo, "cbathandling").ControlValue("Release Now");
    memo.SaveScreen();
  });
  std::string why;
  hostStep(report, [&] {
    memo.StartNewAtLevel("Batch");
    why = Trim(memo.ScreenErrorText());
  });
  hostStep(report, [&] { memo.CloseScreen(); });
  a.MemoScreen.reset();
  // Without a released memo the credit has nothing to pay: the batch stays as it
  // was, and its next release removes the memo AR holds and raises it again.
  if (!memoReleased(a)) {
    MessBox("The Corvena Payment Application Batch was not released.", StyleWarning, "Error");
    if (!why.empty()) failed(why);
    Status(StatusClose, 0, "", 0);
    throw ReleaseEnded{};
  }
  MarkPartlyReleased();
}

// Every applied line, one host payment per run of a customer's lines. The
// lines are marked paid only once AR has released the batch that pays them.
bool applyLines(const runtime::HostErrorReport& report) {
  auto& a = payapp();
  bool lineFailed = false;
  const int position = LineArrayGetPos(a.DetailLines);
  for (int rc = LineArrayFirst(a.DetailLines); rc != 9 && !lineFailed;
       rc = LineArrayNext(a.DetailLines)) {
    if (a.bXDetail.CuryApplAmt == 0) continue;
    std::string screenCustomer;
    hostStep(report,
             [&] { screenCustomer = Trim(HostField(*a.PayScreen, "cCustID").ControlValue()); });
    if (screenCustomer != a.bXDetail.CustId.trimmed() && !StartCustomerPayment())
      throw ReleaseEnded{};
    bool paid = false;
    hostStep(report, [&] {
      paid = ApplyToDocument(a.bXDetail.RefNbr, a.bXDetail.CuryApplAmt, a.bXDetail.DiscAmt);
    });
    if (!paid) {
      failed("Invoice could not be paid: " + a.bXDetail.RefNbr.trimmed());
      lineFailed = true;
    }
  }
  LineArraySetPos(a.DetailLines, position);
  return !lineFailed;
}

void applyCreditToMemo(const runtime::HostErrorReport& report, bool& ok) {
  auto& a = payapp();
  if (SqlFetch1(a.CSR_ARDOC,
                "SELECT * FROM ARDoc WHERE DocDesc LIKE 'NA" + a.bXNAHeader.NABatNbr.trimmed() +
                    "%'",
                a.bARDoc, sizeof a.bARDoc) != 0) {
    failed("Could not find debit memo to apply.");
    return;
  }
  hostStep(report, [&] { SelectCreditDocument(); });
  bool applied = false;
  hostStep(report, [&] { applied = ApplyToDocument(a.bARDoc.RefNbr, a.bXHeader.ApplyTotal, 0); });
  if (!applied) {
    failed("Debit memo could not be applied: " + a.bARDoc.RefNbr.trimmed());
    ok = false;
  }
}

// The header closes only on a batch AR released. One AR kept stays noted on the
// header, for the batch's next release or recall to remove it.
void closeWhenReleased(const std::string& batch, const std::string& why) {
  if (CloseIfReleased(batch)) {
    progress("Released into AR as batch " + batch + ".");
    LoadDetailLines();
    return;
  }
  MessBox("The Corvena Payment Application Batch was not released.", StyleWarning, "Error");
  failed(why.empty() ? "AR batch " + batch + " was not released." : why);
}

void closePaymentBatch(const runtime::HostErrorReport& report, const std::string& type) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  hostStep(report, [&] {
    if (HostFieldProperty(pay, "cOrigDocAmt", "Enabled") == "True")
      HostField(pay, "cOrigDocAmt").ControlValue(a.PendingDocTotal);
  });
  std::string reference;
  hostStep(report, [&] { reference = Trim(HostField(pay, "cRefNbr").ControlValue()); });
  if (reference.empty()) {
    failed("Fatal error in Payment Application Batch Generation.");
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  hostStep(report, [&] {
    // A credit applied in part puts only the applied total into the batch.
    if (type != "NP")
      HostField(pay, "cctrltot").ControlValue(a.bXHeader.ApplyTotal);
    else
      HostField(pay, "cctrltot").ControlValue(HostField(pay, "ccrtot"));
    HostField(pay, "cbathandling").ControlValue("Release Now");
    pay.SaveScreen();
  });
  std::string batch;
  hostStep(report, [&] { batch = Trim(HostField(pay, "cBatNbr").ControlValue()); });
  if (a.ReleaseBatchNbr.empty()) NoteReleaseBatch(batch);
  if (batch.empty()) {
    failed("Fatal error in Payment Application Batch Generation.");
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  std::string why;
  hostStep(report, [&] {
    pay.StartNewAtLevel("Batch");
    why = Trim(pay.ScreenErrorText());
  });
  hostStep(report, [&] { pay.CloseScreen(); });
  a.PayScreen.reset();
  closeWhenReleased(batch, why);
  Status(StatusClose, 0, "", 0);
}

void paymentPhase() {
  auto& a = payapp();
  progress("Creating Payment Application...");
  a.ReleaseBatchNbr.clear();
  a.RemainderPlaced = false;
  if (!HostScreenStarted(a.PayScreen, "0803000.exe")) throw ReleaseEnded{};
  const std::string type = a.bXNAHeader.vond1.trimmed();
  const runtime::HostErrorReport report{
      .skippedCodes = {23, 126, 6243, 6371},
      .codeTexts = {{3007, "Duplicate reference number for customer " + a.bXDetail.CustId.trimmed()}},
      .abort = HandlePaymentAppError};
  hostStep(report, [&] {
    HostField(*a.PayScreen, "lxNAFlag")
        .ControlProperties()
        .PropertyByName("caption")
        .PropertyValue("Processing National Account");
  });
  bool ok = applyLines(report);
  if (ok && a.bXHeader.ApplyTotal < a.bXNAHeader.OrigDocAmt && !a.RemainderPlaced && type == "NP")
    hostStep(report, [&] { PostParentRemainder(); });
  if (ok && type != "NP") applyCreditToMemo(report, ok);
  if (!ok) {
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  closePaymentBatch(report, type);
}

// Only what the clerk left pending is saved; the release wrote its own
// progress, and the closing save releases nothing again.
void closeRelease() {
  auto& a = payapp();
  a.bXHeader.BatchHandling = "N";
  if (forms::session().updates().hasUnsavedWork()) SaveAll();
  DispFields(a.Form1, a.cStatus, a.cStatus);
  DispFields(a.Form1, a.cBatchHandling, a.cBatchHandling);
  ApplyBatchStatus();
}

}  // namespace

void Update1_SaveCompleted(int first, int /*second*/) {
  auto& a = payapp();
  if (first != 0 || a.Releasing || a.bXHeader.BatchHandling.trimmed() != "R") return;
  const std::string saved = a.bXNAHeader.Status.trimmed();
  if (saved != "O" && saved != "P") {
    MessBox("You cannot process this batch, it is closed.", StyleWarning, "System Message");
    return;
  }
  // What an earlier release in this window left in AR is settled first.
  if (RecoverInterruptedRelease(false)) {
    LoadDetailLines();
    closeRelease();
    return;
  }
  const std::string status = a.bXNAHeader.Status.trimmed();
  Status(StatusOpen, 0, "", 0);
  const std::string type = a.bXNAHeader.vond1.trimmed();
  // A payment with nothing applied would raise a debit memo of nothing, which the host refuses.
  if (type != "NP" && a.bXHeader.ApplyTotal == 0) {
    MessBox("Amount applied cannot be zero.  Process terminated.", StyleWarning, "Warning");
    Status(StatusClose, 0, "", 0);
    return;
  }
  if ((type != "NP" && status != "P" && !HostReleaseAllowed("0801000")) ||
      !HostReleaseAllowed("0803000")) {
    Status(StatusClose, 0, "", 0);
    return;
  }
  a.Releasing = true;
  try {
    if (type != "NP" && status != "P") debitMemoPhase();
    paymentPhase();
  } catch (const ReleaseEnded&) {
  }
  closeRelease();
  a.Releasing = false;
}

void AbandonHostBatch(const std::unique_ptr<runtime::HostScreen>& screen) {
  if (!screen) return;
  std::int16_t result = 0;
  try {
    screen->AbandonLevel("Batch", result);
    screen->CloseScreen();
  } catch (const forms::RuntimeError&) {
    // The screen is given up on either way.
  }
}

// What an abandoned payment phase saved in the host stays unreleased; left
// there, it and the batch released again later would pay the same documents
// twice, so it goes whether the failure was fatal or not.
void HandlePaymentAppError(std::string_view severity) {
  auto& a = payapp();
  if (severity != "STARTUP" && severity != "NOTFATAL" && severity != "FATAL") return;
  if (severity == "NOTFATAL") AbandonHostBatch(a.PayScreen);
  if (severity != "STARTUP" && !Trim(a.ReleaseBatchNbr).empty()) RemoveHostBatch(a.ReleaseBatchNbr);
  a.PayScreen.reset();
  Status(StatusClose, 0, "", 0);
}

void HandleDebitMemoError(std::string_view severity) {
  auto& a = payapp();
  if (severity == "NOTFATAL" && a.MemoScreen) {
    AbandonHostBatch(a.MemoScreen);
  } else if (severity != "STARTUP" && severity != "FATAL") {
    return;
  }
  a.MemoScreen.reset();
  Status(StatusClose, 0, "", 0);
}

}  // namespace corvena::payapp
