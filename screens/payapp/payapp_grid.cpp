#include "screens/payapp/payapp_grid.h"

#include <map>

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

// Stores are told apart by name: each customer's is read once per load.
using CustomerNames = std::map<std::string, std::string>;

void nameLine(PayApp& a, CustomerNames& names) {
  const std::string id(a.bXDetail.CustId.trimmed());
  auto known = names.find(id);
  if (known == names.end()) {
    Customer customer{};
    const bool found = SqlFetch1(a.csr_customer, "Customer_all " + SParm(id), customer,
                                 sizeof customer) != NotFound;
    known = names.emplace(id, found ? std::string(customer.Name.trimmed()) : "").first;
  }
  a.bXDetail.CustName = known->second;
}

void addToTotals(PayApp& a) {
  a.bXHeader.ApplyTotal += a.bXDetail.CuryApplAmt;
  a.bXHeader.DiscTotal = FPAdd(a.bXHeader.DiscTotal, a.bXDetail.DiscAmt, CurrencyPrecision);
}

// A released application: the document's balances as they stand now, zero when it is gone.
void addReleasedLine(PayApp& a, CustomerNames& names) {
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
  if (SqlFetch1(a.CSR_ARDOC, "XNAARDoc_Closed " + SParm(row.RefNbr) + SParm(row.CustId), a.bARDoc,
                sizeof a.bARDoc) != NotFound) {
    line.CuryDocBal = a.bARDoc.CuryDocBal;
    line.DueDate = a.bARDoc.DueDate;
    line.CuryDiscBal = a.bARDoc.CuryDiscBal;
    line.DiscDate = a.bARDoc.DiscDate;
  }
  line.NewDocBal = line.CuryDocBal;
  nameLine(a, names);
  LineArrayInsert(a.DetailLines);
  addToTotals(a);
}

void loadReleasedLines(PayApp& a) {
  CustomerNames names;
  int rc = SqlFetch1(a.CSR_XNADETAIL_L, "XNADetail_BatNbr " + SParm(a.bXNAHeader.NABatNbr),
                     a.bXNADetail, sizeof a.bXNADetail);
  for (; rc != NotFound; rc = SFetch1(a.CSR_XNADETAIL_L, a.bXNADetail, sizeof a.bXNADetail)) {
    addReleasedLine(a, names);
  }
}

// The batch's own application of the document, into the line; false when
// another open batch holds the document and this one does not.
bool takeApplication(PayApp& a, XDetail& line) {
  bool own = false, other = false;
  for (int rc = SqlFetch1(a.CSR_XNADETAIL_L,
                          "XNADetail_RefNbr " + SParm(line.CustId.trimmed()) +
                              SParm(line.RefNbr.trimmed()) + SParm(line.DocType.trimmed()),
                          a.bXNADetail, sizeof a.bXNADetail);
       rc != NotFound; rc = SFetch1(a.CSR_XNADETAIL_L, a.bXNADetail, sizeof a.bXNADetail)) {
    if (a.bXNADetail.NABatNbr == a.bXNAHeader.NABatNbr) {
      own = true;
      copyApplication(line, a.bXNADetail);
    } else {
      other = true;
    }
  }
  return own || !other;
}

// An open document; shown unless another batch is paying it.
void addOpenLine(PayApp& a, CustomerNames& names) {
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
  if (takeApplication(a, line)) {
    line.NewDocBal = FPSub(line.CuryDocBal, line.TotApply, CurrencyPrecision);
    nameLine(a, names);
    LineArrayInsert(a.DetailLines);
  }
  addToTotals(a);
}

void loadOpenLines(PayApp& a) {
  CustomerNames names;
  int rc = SqlFetch1(a.CSR_ARDOC, "XNAARDoc_OpenDetails " + SParm(a.bXNAHeader.CustId), a.bARDoc,
                     sizeof a.bARDoc);
  for (; rc != NotFound; rc = SFetch1(a.CSR_ARDOC, a.bARDoc, sizeof a.bARDoc)) {
    if (IsDocumentSelectable(a.bARDoc.RefNbr.trimmed(), a.bARDoc.DocType.trimmed(),
                             a.bARDoc.CustId.trimmed())) {
      addOpenLine(a, names);
    }
  }
}

}  // namespace

void LoadDetailLines() {
  auto& a = payapp();
  ClearDetailLines();
  a.bXNAHeader.Status = a.bXNAHeader.Status.trimmed();
  if (a.bXNAHeader.Status == "C") {
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

bool IsDocumentSelectable(std::string_view RefNbr, std::string_view DocType,
                          std::string_view CustId) {
  auto& a = payapp();
  if (SqlFetch1(a.CSR_ARDocWork,
                "UnrlsedPayCheck " + SParm(RefNbr) + SParm(DocType) + SParm(CustId), a.bUnrlsedPay,
                sizeof a.bUnrlsedPay) != NotFound) {
    return false;
  }
  const std::string signedOn = forms::session().pes().CpnyID.trimmed();
  return !(signedOn != a.bGLSetup.CpnyId.trimmed() && a.bARDoc.CpnyID.trimmed() != signedOn);
}

int Spread1_LineChange(int code) {
  if (code != forms::kLineStarting) return 0;
  auto& a = payapp();
  a.bXNADetail.NABatNbr = a.bXNAHeader.NABatNbr;
  a.bXNADetail.CpnyId = forms::session().pes().CpnyID;
  return 0;
}

}  // namespace corvena::payapp
