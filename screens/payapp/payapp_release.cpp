// The release driver: runs once the batch is saved with "Release Now".
#include "screens/payapp/payapp_release.h"

#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/payapp/payapp_release_steps.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;
using runtime::Trim;
using runtime::HostControl;

namespace {

HostControl on(runtime::HostScreen& screen, std::string_view name) {
  return screen.ScreenControls().ControlByName(name);
}

void progress(const std::string& line) {
  Status(-4, 0, line, 2);
}

void failed(const std::string& line) {
  Status(-4, 0, line, 3);
}

// The two boxes of a host screen that did not start.
bool started(std::unique_ptr<runtime::HostScreen>& screen, const char* program) {
  std::int16_t iErr = 0;
  std::int32_t lErr = 0;
  screen = runtime::StartAppAndAutomate(program, iErr, lErr);
  if (iErr == 0 && screen) return true;
  MessBox("Business Object Automation Error: " + std::to_string(iErr) + " - " +
              std::to_string(lErr),
          48, "Automation Error");
  if (!screen) MessBox("Business Object not initialized", 48, "Automation Error");
  HandlePaymentAppError("STARTUP");
  return false;
}

// The header's progress, in the database and on the screen alike, so the
// closing save writes it as it stands.
void markStatus(const std::string& status, const std::string& hostBatch) {
  auto& a = payapp();
  if (status == "P") {
    Sql(a.CSR_Release,
        "UPDATE XNAHeader SET Status = 'P' WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  } else {
    Sql(a.CSR_Release, "UPDATE XNAHeader SET Status = 'C', ARBatNbr = " + SParm(hostBatch) +
                           " WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
    a.bXNAHeader.ARBatNbr = hostBatch;
  }
  a.bXNAHeader.Status = status;
}

void debitMemoPhase() {
  auto& a = payapp();
  progress("Creating Debit Memo...");
  if (!started(a.MemoScreen, "0801000.exe")) throw ReleaseEnded{};
  auto& memo = *a.MemoScreen;
  const runtime::HostErrorReport report{.skippedCodes = {126, 2104, 2105, 6371},
                                        .abort = HandleDebitMemoError};
  hostStep(report, [&] { memo.PrepareScreen(false); });
  EnterDebitMemo();
  hostStep(report, [&] {
    on(memo, "corigdocamt").ControlValue(on(memo, "cdocbal"));
    memo.SaveScreen();
  });
  hostStep(report, [&] {
    on(memo, "cctrltot").ControlValue(on(memo, "ccrtot"));
    on(memo, "cbathandling").ControlValue("Release Now");
    memo.SaveScreen();
  });
  hostStep(report, [&] {
    memo.StartNewAtLevel("Batch");
    if (!Trim(memo.ScreenErrorText()).empty())
      MessBox("The Corvena Credit Memo Transfer Batch was not released.", 48, "Error");
  });
  hostStep(report, [&] { memo.CloseScreen(); });
  a.MemoScreen.reset();
  markStatus("P", "");
}

// Every applied line, one host payment per run of a customer's lines.
bool applyLines(const runtime::HostErrorReport& report, int second) {
  auto& a = payapp();
  bool lineFailed = false;
  const int position = LineArrayGetPos(a.DetailLines);
  for (int rc = LineArrayFirst(a.DetailLines); rc != 9 && !lineFailed;
       rc = LineArrayNext(a.DetailLines)) {
    if (a.bXDetail.CuryApplAmt == 0) continue;
    std::string screenCustomer;
    hostStep(report, [&] { screenCustomer = Trim(on(*a.PayScreen, "cCustID").ControlValue()); });
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
    hostStep(report, [&] { a.bXDetail.ARRefNbr = Trim(on(*a.PayScreen, "cRefNbr").ControlValue()); });
    a.bXDetail.LineStatus = "C";
    if (LevelChangeGet(1) == 4) LevelChangeSet(1, second);
    LineArrayUpdate(a.DetailLines);
  }
  LineArraySetPos(a.DetailLines, position);
  LineArrayRedisplay(a.DetailLines);
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

void closePaymentBatch(const runtime::HostErrorReport& report, const std::string& type) {
  auto& a = payapp();
  auto& pay = *a.PayScreen;
  hostStep(report, [&] {
    if (on(pay, "cOrigDocAmt").ControlProperties().PropertyByName("Enabled").PropertyValue() ==
        "True")
      on(pay, "cOrigDocAmt").ControlValue(a.PendingDocTotal);
  });
  std::string reference;
  hostStep(report, [&] { reference = Trim(on(pay, "cRefNbr").ControlValue()); });
  if (reference.empty()) {
    failed("Fatal error in Payment Application Batch Generation.");
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  hostStep(report, [&] {
    // A credit applied in part puts only the applied total into the batch.
    if (type != "NP")
      on(pay, "cctrltot").ControlValue(a.bXHeader.ApplyTotal);
    else
      on(pay, "cctrltot").ControlValue(on(pay, "ccrtot"));
    on(pay, "cbathandling").ControlValue("Release Now");
    pay.SaveScreen();
  });
  std::string batch;
  hostStep(report, [&] { batch = Trim(on(pay, "cBatNbr").ControlValue()); });
  if (a.ReleaseBatchNbr.empty()) NoteReleaseBatch(batch);
  if (batch.empty()) {
    failed("Fatal error in Payment Application Batch Generation.");
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  markStatus("C", batch);
  progress("Released into AR as batch " + batch + ".");
  hostStep(report, [&] {
    pay.StartNewAtLevel("Batch");
    if (!Trim(pay.ScreenErrorText()).empty())
      MessBox("The Corvena Payment Application Batch was not released.", 48, "Error");
  });
  hostStep(report, [&] { pay.CloseScreen(); });
  a.PayScreen.reset();
  Status(-2, 0, "", 0);
}

void paymentPhase(int second) {
  auto& a = payapp();
  progress("Creating Payment Application...");
  a.ReleaseBatchNbr.clear();
  a.RemainderPlaced = false;
  if (!started(a.PayScreen, "0803000.exe")) throw ReleaseEnded{};
  const std::string type = a.bXNAHeader.vond1.trimmed();
  const runtime::HostErrorReport report{
      .skippedCodes = {23, 126, 6243, 6371},
      .codeTexts = {{3007, "Duplicate reference number for customer " + a.bXDetail.CustId.trimmed()}},
      .abort = HandlePaymentAppError};
  hostStep(report, [&] {
    on(*a.PayScreen, "lxNAFlag").ControlProperties().PropertyByName("caption").PropertyValue(
        "Processing National Account");
  });
  bool ok = applyLines(report, second);
  if (ok && a.bXHeader.ApplyTotal < a.bXNAHeader.OrigDocAmt && !a.RemainderPlaced && type == "NP")
    hostStep(report, [&] { PostParentRemainder(); });
  if (ok && type != "NP") applyCreditToMemo(report, ok);
  if (!ok) {
    HandlePaymentAppError("NOTFATAL");
    throw ReleaseEnded{};
  }
  closePaymentBatch(report, type);
}

// Only what the clerk left pending is saved: the closing save writes the
// lines' host references and the header's state, and releases nothing again.
void closeRelease() {
  auto& a = payapp();
  a.bXHeader.BatchHandling = "N";
  if (forms::session().hasUnsavedWork()) SaveAll();
  DispFields(a.Form1, a.cStatus, a.cStatus);
  DispFields(a.Form1, a.cBatchHandling, a.cBatchHandling);
  ApplyBatchStatus();
}

}  // namespace

void Update1_SaveCompleted(int first, int second) {
  auto& a = payapp();
  if (first != 0 || a.Releasing || a.bXHeader.BatchHandling.trimmed() != "R") return;
  const std::string status = a.bXNAHeader.Status.trimmed();
  if (status != "O" && status != "P") {
    MessBox("You cannot process this batch, it is closed.", 48, "System Message");
    return;
  }
  Status(-3, 0, "", 0);
  const std::string type = a.bXNAHeader.vond1.trimmed();
  // A payment with nothing applied would raise a debit memo of nothing, which the host refuses.
  if (type != "NP" && a.bXHeader.ApplyTotal == 0) {
    MessBox("Amount applied cannot be zero.  Process terminated.", 48, "Warning");
    Status(-2, 0, "", 0);
    return;
  }
  if ((type != "NP" && status != "P" && !HostReleaseAllowed("0801000")) ||
      !HostReleaseAllowed("0803000")) {
    Status(-2, 0, "", 0);
    return;
  }
  a.Releasing = true;
  try {
    if (type != "NP" && status != "P") debitMemoPhase();
    paymentPhase(second);
  } catch (const ReleaseEnded&) {
  }
  closeRelease();
  a.Releasing = false;
}

// What the payment phase left unreleased in the host goes, and the header no
// longer points at it.
static void deleteUnreleased(const std::string& hostBatch) {
  auto& a = payapp();
  Sql(a.CSR_XNADETAIL_D, "DeleteRefNbr " + SParm(hostBatch));
  Sql(a.CSR_XNADETAIL_D, "XNAApp_DeleteBatch " + SParm(hostBatch));
}

static void removeHostBatch(const std::string& hostBatch) {
  auto& a = payapp();
  deleteUnreleased(hostBatch);
  Sql(a.CSR_Release,
      "UPDATE XNAHeader SET ARBatNbr = '' WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  a.bXNAHeader.ARBatNbr = "";
}

void NoteReleaseBatch(const std::string& hostBatch) {
  auto& a = payapp();
  a.ReleaseBatchNbr = hostBatch;
  if (hostBatch.empty()) return;
  Sql(a.CSR_Release, "UPDATE XNAHeader SET ARBatNbr = " + SParm(hostBatch) +
                         " WHERE NABatNbr = " + SParm(a.bXNAHeader.NABatNbr));
  a.bXNAHeader.ARBatNbr = hostBatch;
}

// The unreleased host payment batch a release of this batch left, found by the
// header's note or by the references its payments carry (a release killed
// before it could note the batch).
static std::string interruptedHostBatch(PayApp& a) {
  if (!a.bXNAHeader.ARBatNbr.blank()) return a.bXNAHeader.ARBatNbr.trimmed();
  const std::string ref = a.bXNAHeader.RefNbr.trimmed();
  Batch found{};
  blankRecord(found);
  SqlFetch1(a.CSR_Release,
            "select b.* from Batch b join ARDoc d on d.BatNbr = b.BatNbr where b.Module = 'AR'"
            " and b.EditScrnNbr = '08030' and b.Rlsed = 0 and d.DocType = 'PA' and d.RefNbr in (" +
                SParm(ref) + ", " + SParm(PrefixedReference('N', ref)) + ") and (d.CustId = " +
                SParm(a.bXNAHeader.CustId) +
                " or d.CustId in (select SecondaryCustid from XNACustS where PrimaryCustId = " +
                SParm(a.bXNAHeader.CustId) + "))",
            found, sizeof found);
  return found.BatNbr.trimmed();
}

// The debit memo of a release killed before it marked the batch "P": a memo
// already released stands, and the batch goes on from its payments, so the
// credit's customer is never charged a second memo; one left unreleased goes.
static void recoverDebitMemo(PayApp& a) {
  if (a.bXNAHeader.vond1.trimmed() == "NP" || a.bXNAHeader.Status.trimmed() != "O") return;
  ARDoc memo{};
  blankRecord(memo);
  if (SqlFetch1(a.CSR_Release,
                "select * from ARDoc where DocType = 'DM' and DocDesc like " +
                    SParm("NA" + a.bXNAHeader.NABatNbr.trimmed() + "%"),
                memo, sizeof memo) != 0)
    return;
  if (memo.Rlsed == 1) {
    markStatus("P", "");
    MessBox("An earlier release of this batch had released its debit memo " +
                memo.RefNbr.trimmed() + " in AR; releasing the batch again goes on from its payments.",
            48, "National Accounts");
    return;
  }
  deleteUnreleased(memo.BatNbr.trimmed());
  MessBox("An earlier release of this batch was interrupted; its unreleased debit memo in AR batch " +
              memo.BatNbr.trimmed() + " was removed. Release the batch again.",
          48, "National Accounts");
}

void RecoverInterruptedRelease() {
  auto& a = payapp();
  recoverDebitMemo(a);
  const std::string status = a.bXNAHeader.Status.trimmed();
  if (status != "O" && status != "P") return;
  const std::string hostBatch = interruptedHostBatch(a);
  if (hostBatch.empty()) return;
  double released = 0;
  Sql(a.CSR_Release, "select count(*) from Batch where Module = 'AR' and Rlsed = 1 and BatNbr = " +
                         SParm(hostBatch));
  SGroupFetch1(a.CSR_Release, released, 8);
  if (released > 0) {
    markStatus("C", hostBatch);
    MessBox("The release of this batch had completed in AR as batch " + hostBatch +
                "; the batch is closed.",
            48, "National Accounts");
    return;
  }
  removeHostBatch(hostBatch);
  MessBox("An earlier release of this batch was interrupted; what it left unreleased in AR batch " +
              hostBatch + " was removed. Release the batch again.",
          48, "National Accounts");
}

// What an abandoned payment phase saved in the host stays unreleased; left
// there, it and the batch released again later would pay the same documents
// twice, so it goes whether the failure was fatal or not.
void HandlePaymentAppError(std::string_view severity) {
  auto& a = payapp();
  if (severity != "STARTUP" && severity != "NOTFATAL" && severity != "FATAL") return;
  if (severity == "NOTFATAL" && a.PayScreen) {
    std::int16_t result = 0;
    try {
      a.PayScreen->AbandonLevel("Batch", result);
      a.PayScreen->CloseScreen();
    } catch (const forms::RuntimeError&) {
      // The screen is given up on either way.
    }
  }
  if (severity != "STARTUP" && !Trim(a.ReleaseBatchNbr).empty()) removeHostBatch(a.ReleaseBatchNbr);
  a.PayScreen.reset();
  Status(-2, 0, "", 0);
}

void HandleDebitMemoError(std::string_view severity) {
  auto& a = payapp();
  if (severity == "NOTFATAL" && a.MemoScreen) {
    std::int16_t result = 0;
    try {
      a.MemoScreen->AbandonLevel("Batch", result);
      a.MemoScreen->CloseScreen();
    } catch (const forms::RuntimeError&) {
      // The screen is given up on either way.
    }
  } else if (severity != "STARTUP" && severity != "FATAL") {
    return;
  }
  a.MemoScreen.reset();
  Status(-2, 0, "", 0);
}

}  // namespace corvena::payapp
