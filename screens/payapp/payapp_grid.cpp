#include "screens/payapp/payapp_grid.h"

#include "screens/payapp/payapp_grid_checks.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

void copyAudit(XDetail& line, const XNADetail& row) {
  line.Crtd_Date = row.Crtd_Date;
  line.Crtd_Prog = row.Crtd_Prog;
  line.Crtd_User = row.Crtd_User;
  line.LUpd_Date = row.LUpd_Date;
  line.LUpd_Prog = row.LUpd_Prog;
  line.LUpd_User = row.LUpd_User;
}

// The application a batch stored for the line's document.
void copyApplication(XDetail& line, const XNADetail& row) {
  line.ARRefNbr = row.ARRefNbr;
  copyAudit(line, row);
  line.CuryApplAmt = row.CuryApplAmt;
  line.DiscAmt = row.DiscAmt;
  line.TotApply = FPAdd(line.CuryApplAmt, line.DiscAmt, CurrencyPrecision);
}

void addToTotals(PayApp& a) {
  a.bXHeader.ApplyTotal += a.bXDetail.CuryApplAmt;
  a.bXHeader.DiscTotal = FPAdd(a.bXHeader.DiscTotal, a.bXDetail.DiscAmt, CurrencyPrecision);
}

// A released application: the document's balances as they stand now, zero when it is gone.
void addReleasedLine(PayApp& a, const ClosedLineChecks& checks) {
  XDetail& line = a.bXDetail;
  const XNADetail& row = a.bXNADetail;
  line = a.nXDetail;
  copyApplication(line, row);
  line.CustId = row.CustId;
  line.RefNbr = row.RefNbr;
  line.DocType = row.DocType;
  line.CpnyId = row.CpnyId;
  line.DocDate = row.DocDate;
  line.NABatNbr = row.NABatNbr;
  line.DocAmt = row.DocAmt;
  if (const ARDoc* doc = checks.document(row.RefNbr, row.CustId)) {
    line.CuryDocBal = doc->CuryDocBal;
    line.DueDate = doc->DueDate;
    line.CuryDiscBal = doc->CuryDiscBal;
    line.DiscDate = doc->DiscDate;
  }
  line.NewDocBal = line.CuryDocBal;
  line.CustName = checks.names().of(line.CustId);
  LineArrayInsert(a.DetailLines);
  addToTotals(a);
}

void loadReleasedLines(PayApp& a) {
  const ClosedLineChecks checks(a);
  int rc = SqlFetch1(a.CSR_XNADETAIL_L, "XNADetail_BatNbr " + SParm(a.bXNAHeader.NABatNbr),
                     a.bXNADetail, sizeof a.bXNADetail);
  for (; rc != NotFound; rc = SFetch1(a.CSR_XNADETAIL_L, a.bXNADetail, sizeof a.bXNADetail)) {
    addReleasedLine(a, checks);
  }
}

DocumentKey keyOf(const ARDoc& doc) {
  return {doc.CustId.trimmed(), doc.DocType.trimmed(), doc.RefNbr.trimmed()};
}

// The batch's own application of the document, into the line; false when
// another open batch holds the document and this one does not.
bool takeApplication(PayApp& a, XDetail& line, const OpenDocumentChecks& checks) {
  bool own = false, other = false;
  for (const XNADetail& row : checks.applications(keyOf(a.bARDoc))) {
    if (row.NABatNbr == a.bXNAHeader.NABatNbr) {
      own = true;
      copyApplication(line, row);
    } else {
      other = true;
    }
  }
  return own || !other;
}

// An open document; shown unless another batch is paying it.
void addOpenLine(PayApp& a, const OpenDocumentChecks& checks) {
  XDetail& line = a.bXDetail;
  const ARDoc& doc = a.bARDoc;
  line = a.nXDetail;
  line.RefNbr = doc.RefNbr;
  line.DocType = doc.DocType;
  line.CuryDocBal = doc.CuryDocBal;
  line.CustId = doc.CustId;
  line.CpnyId = doc.CpnyID;
  line.DocDate = doc.DocDate;
  line.DueDate = doc.DueDate;
  line.DocAmt = doc.CuryOrigDocAmt;
  line.CuryDiscBal = doc.CuryDiscBal;
  line.DiscDate = doc.DiscDate;
  line.NABatNbr = a.bXNAHeader.NABatNbr;
  if (takeApplication(a, line, checks)) {
    line.NewDocBal = FPSub(line.CuryDocBal, line.TotApply, CurrencyPrecision);
    line.CustName = checks.names().of(line.CustId);
    LineArrayInsert(a.DetailLines);
  }
  addToTotals(a);
}

// Signed on to the GL setup's company, the clerk sees every company's documents;
// signed on to another, only that company's.
bool companyShown(const PayApp& a, const ARDoc& doc) {
  const std::string signedOn = forms::session().pes().CpnyID.trimmed();
  return !(signedOn != a.bGLSetup.CpnyId.trimmed() && doc.CpnyID.trimmed() != signedOn);
}

void loadOpenLines(PayApp& a) {
  const OpenDocumentChecks checks(a);
  int rc = SqlFetch1(a.CSR_ARDOC, "XNAARDoc_OpenDetails " + SParm(a.bXNAHeader.CustId), a.bARDoc,
                     sizeof a.bARDoc);
  for (; rc != NotFound; rc = SFetch1(a.CSR_ARDOC, a.bARDoc, sizeof a.bARDoc)) {
    if (!checks.unreleasedPayment(keyOf(a.bARDoc)) && companyShown(a, a.bARDoc)) {
      addOpenLine(a, checks);
    }
  }
}

}  // namespace

void LoadDetailLines() {
  auto& a = payapp();
  ClearDetailLines();
  a.bXNAHeader.Status = a.bXNAHeader.Status.trimmed();
  // A reversed batch keeps the lines it released.
  if (a.bXNAHeader.Status == "C" || a.bXNAHeader.Status == "V") {
    loadReleasedLines(a);
  } else {
    loadOpenLines(a);
  }
  LineArrayFirst(a.DetailLines);
  LineArrayRedisplay(a.DetailLines);
  SortDetailLines();
}

void ClearDetailLines() {
  auto& a = payapp();
  a.bXHeader.ApplyTotal = 0;
  a.bXHeader.DiscTotal = 0;
  if (LineArrayFirst(a.DetailLines) != NotFound) {
    while (LineArrayDelete(a.DetailLines) != NotFound) {
    }
  }
  LineArrayRedisplay(a.DetailLines);
}

int Spread1_LineChange(int code) {
  if (code != forms::kLineStarting) return 0;
  auto& a = payapp();
  a.bXNADetail.NABatNbr = a.bXNAHeader.NABatNbr;
  a.bXNADetail.CpnyId = forms::session().pes().CpnyID;
  return 0;
}

}  // namespace corvena::payapp
