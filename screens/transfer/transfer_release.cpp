#include "screens/transfer/transfer_release.h"

#include "runtime/host_batch_state.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/transfer/transfer_audit.h"
#include "screens/transfer/transfer_batch.h"
#include "screens/transfer/transfer_documents.h"
#include "screens/transfer/transfer_host_documents.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;
using runtime::hostStep;
using runtime::ReleaseEnded;
using runtime::Trim;

namespace {

std::string batch(const Transfer& t) {
  return SParm(t.bXNATranHdr.NATrBatNbr);
}

void send(const std::string& statement) {
  Sql(transfer().csr_update, statement);
}

// The process status log says what the release does, as the payment release's does.
void progress(const std::string& line) {
  Status(StatusWrite, 0, line, StatusProgress);
}

void failed(const std::string& line) {
  Status(StatusWrite, 0, line, StatusError);
}

void markRows(const std::string& status) {
  auto& t = transfer();
  const std::string set = "set status = '" + status + "'" + ReleaseStamp();
  send("update xnatranhdr " + set + " where natrbatnbr = " + batch(t));
  send("update xnatrandet " + set + (status == "C" ? ", Rlsed = 1" : "") +
       " where natrbatnbr = " + batch(t));
  send("update xnatrandln " + set + " where natrbatnbr = " + batch(t));
  t.bXNATranHdr.Status = status;
}

// Steps 8 to 10: the batch's control total, Release Now, saved and completed.
void completeHostBatch(Transfer& t) {
  const auto& report = TransferErrorReport();
  auto& host = *t.ReleaseScreen;
  hostStep(report, [&] { HostField(host, "cctrltot").ControlValue(HostField(host, "ccrtot")); });
  hostStep(report, [&] { HostField(host, "cbathandling").ControlValue("Release Now"); });
  hostStep(report, [&] { host.SaveScreen(); });
  std::string arBatch;
  hostStep(report, [&] { arBatch = Trim(HostField(host, "cBatNbr").ControlValue()); });
  RecordHostBatch(arBatch);
  std::string why;
  hostStep(report, [&] {
    host.StartNewAtLevel("Batch");
    why = Trim(host.ScreenErrorText());
  });
  if (why.empty()) {
    progress("Released into AR as batch " + arBatch + ".");
  } else {
    MessBox("The Corvena Credit Memo Transfer Batch was not released.", StyleWarning, "Error");
    failed(why);
  }
  hostStep(report, [&] { host.CloseScreen(); });
  t.ReleaseScreen.reset();
}

// An earlier release's host batch that the host already released holds every
// document: there is nothing left to enter.
void finishInHost(Transfer& t, const EarlierRelease& earlier) {
  if (earlier.released && earlier.complete) {
    progress("Already released into AR as batch " + earlier.batch + ".");
    RecordHostBatch(earlier.batch);
    hostStep(TransferErrorReport(), [&] { t.ReleaseScreen->CloseScreen(); });
    t.ReleaseScreen.reset();
    return;
  }
  if (t.bXNATranHdr.ARDMRefNbr.blank()) progress("Creating Debit Memo...");
  EnterDebitMemo();
  progress("Creating Credit Memos...");
  EnterCreditMemos();
  completeHostBatch(t);
}

void release(Transfer& t) {
  StartReleaseScreen();
  const EarlierRelease earlier = ResumeEarlierRelease();
  markRows("P");
  finishInHost(t, earlier);
  // Closed only on a batch AR released; one AR kept leaves the batch "P", and
  // its next release completes that host batch.
  if (runtime::HostBatchReleased(t.csr_update, t.bXNATranHdr.ARBatNbr.trimmed())) markRows("C");
  Status(StatusClose, 0, "", 0);
  t.bXHeader.batchhandling = "N";
  DispFields(t.Form1, t.cStatus, t.cStatus);
  DispFields(t.Form1, t.cBatchHandling, t.cBatchHandling);
  ApplyBatchStatus();
}

// The screen shows what the release recorded, whether it ended or was given up.
void showRecorded(Transfer& t) {
  XNATranHdr stored{};
  if (SqlFetch1(t.csr_update, "XNATranHdr_all " + batch(t), stored, sizeof stored) != NotFound) {
    t.bXNATranHdr.Status = stored.Status;
    t.bXNATranHdr.ARBatNbr = stored.ARBatNbr;
    t.bXNATranHdr.ARDMRefNbr = stored.ARDMRefNbr;
  }
  GridLoad(t.Spread1);
  DispFields(t.Form1, runtime::NoControl, runtime::NoControl);
}

}  // namespace

void Update1_SaveCompleted(int, int) {
  auto& t = transfer();
  if (t.bXHeader.batchhandling.trimmed() != "R" || !ReleaseAllowed()) return;
  const std::string status = t.bXNATranHdr.Status.trimmed();
  if (status != "O" && status != "P") {
    MessBox(t.bXNATranHdr.SrcAmt != t.bXHeader.linetotal
                ? "Line total must match original credit memo."
                : "You cannot process this batch, it is closed.",
            StyleWarning, "System Message");
    return;
  }
  if (!HostReleaseAllowed("0801000")) return;
  Status(StatusOpen, 0, "", 0);
  try {
    release(t);
  } catch (const ReleaseEnded&) {
  }
  showRecorded(t);
}

}  // namespace corvena::transfer
