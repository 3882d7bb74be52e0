#include "screens/payapp/payapp_save.h"

#include <vector>

#include "runtime/kelpbas.h"
#include "screens/payapp/payapp_reference.h"
#include "screens/payapp/payapp_release.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr int SaveAndDelete = 6;
constexpr int ButtonsOn = -1;

// The grid has no table of its own: the batch's detail is rewritten whole, one
// row per line with an apply amount, so a second save leaves no duplicates.
void SaveDetailLines(PayApp& a) {
  if (!a.bXNAHeader.NABatNbr.blank()) {
    Sql(a.CSR_XNADETAIL_D, "XNADetail_DeleteBatch " + SParm(a.bXNAHeader.NABatNbr));
  }
  std::vector<XNADetail> rows;
  const int position = LineArrayGetPos(a.DetailLines);
  for (int rc = LineArrayFirst(a.DetailLines); rc == 0; rc = LineArrayNext(a.DetailLines)) {
    if (LineArrayGetState(a.DetailLines) != LineUnchanged) {
      stampAudit(a.bXDetail, SignedOnStamp());
    }
    LineArrayUpdate(a.DetailLines);
    if (a.bXDetail.CuryApplAmt != 0) rows.push_back(DetailRow());
  }
  SInsertRecords(a.CSR_XNADETAIL, "XNADetail", rows);
  LineArraySetPos(a.DetailLines, position);
  LineArrayRedisplay(a.DetailLines);
}

// The batch's documents a check inside the save's transaction returns, one a
// line; with the batch that holds each, where the check names one.
std::string checkedDocuments(PayApp& a, const std::string& check, bool holder) {
  std::string documents;
  for (int rc = SqlFetch1(a.CSR_XNADETAIL, check + " " + SParm(a.bXNAHeader.NABatNbr),
                          a.bXNADetail, sizeof a.bXNADetail);
       rc == 0; rc = SFetch1(a.CSR_XNADETAIL, a.bXNADetail, sizeof a.bXNADetail)) {
    documents += "\n" + a.bXNADetail.CustId.trimmed() + " " + a.bXNADetail.DocType.trimmed() + " " +
                 a.bXNADetail.RefNbr.trimmed();
    if (holder) documents += ": batch " + a.bXNADetail.NABatNbr.trimmed();
  }
  a.bXNADetail = a.nXNADetail;
  return documents;
}

int refuseWith(const std::string& why, const std::string& documents) {
  if (documents.empty()) return 0;
  MessBox(why + " Nothing was saved." + documents, StyleWarning, "National Accounts");
  return SilentRefusal;
}

// Two clerks may each pay part of one document in batches saved at the same
// time; the grid of either would then hide the document from the other. And
// the grid hid what other batches and payments held when it was read; by the
// time of the save another clerk may have taken a document's balance. Both are
// checked again here, inside the save's transaction, after this batch's rows
// are written.
int RefuseDocumentsTakenMeanwhile(PayApp& a) {
  if (a.bXNAHeader.Status.trimmed() != "O") return 0;
  if (const int rc = refuseWith("Another open batch holds these documents; release that batch or "
                                "take them out of it first.",
                                checkedDocuments(a, "XNADetail_HeldElsewhere", true)))
    return rc;
  return refuseWith("Another batch or payment has applied to these documents since they were "
                    "shown; their balance no longer covers this batch.",
                    checkedDocuments(a, "XNADetail_Overapplied", false));
}

}  // namespace

// Only the deletion of the batch itself removes its stored detail. Removing a
// line from the grid leaves the rows alone: the next save rewrites the detail
// without it, and a batch that is not saved keeps what it had.
int Update1_DeleteRequested(int level) {
  auto& a = payapp();
  if (level == 0 && a.bXNAHeader.Status == "O") {
    Sql(a.CSR_XNADETAIL, "delete from xnadetail where nabatnbr = " + SParm(a.bXNAHeader.NABatNbr));
  }
  return 0;
}

void Update1_LevelReset(int level) {
  if (level != 0) return;
  SetButton(SaveAndDelete, 0, ButtonsOn);
  SetButton(SaveAndDelete, 1, ButtonsOn);
  LockGridLines();
}

int Update1_SaveLevel(int level) {
  auto& a = payapp();
  if (level == 0) {
    stampAudit(a.bXNAHeader, SignedOnStamp());
  } else if (level == 1) {
    SaveDetailLines(a);
  } else if (level == forms::kWholeSaveLevel) {
    return ReferenceTakenMeanwhile() ? SilentRefusal : RefuseDocumentsTakenMeanwhile(a);
  }
  return 0;
}

XNADetail DetailRow() {
  auto& a = payapp();
  XNADetail row = a.nXNADetail;
  const XDetail& line = a.bXDetail;
  row.ARRefNbr = line.ARRefNbr;
  row.CpnyId = line.CpnyId;
  row.Crtd_Date = line.Crtd_Date;
  row.Crtd_Prog = line.Crtd_Prog;
  row.Crtd_User = line.Crtd_User;
  row.CuryApplAmt = line.CuryApplAmt;
  row.CuryId = forms::session().pes().CuryId.view();
  row.CustId = line.CustId;
  row.DocDate = line.DocDate;
  row.DocType = line.DocType;
  row.LUpd_Date = line.LUpd_Date;
  row.LUpd_Prog = line.LUpd_Prog;
  row.LUpd_User = line.LUpd_User;
  row.NABatNbr = a.bXNAHeader.NABatNbr;
  row.DocAmt = line.DocAmt;
  row.RefNbr = line.RefNbr;
  row.DetailFlag = line.DetailFlag;
  row.LineStatus = line.LineStatus;
  row.DiscAmt = line.DiscAmt;
  return row;
}

void registerSaveHandlers() {
  Control* Update1 = payapp().Update1;
  Update1->onDeleteRequested(Update1_DeleteRequested);
  Update1->onLevelReset(Update1_LevelReset);
  Update1->onSaveLevel(Update1_SaveLevel);
  Update1->onSaveCompleted(Update1_SaveCompleted);
}

}  // namespace corvena::payapp
