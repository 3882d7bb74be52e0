#include "screens/transfer/transfer_documents.h"

#include <vector>

#include "runtime/host_batch_state.h"
#include "runtime/kelpbas.h"
#include "runtime/text_value.h"
#include "screens/transfer/transfer_audit.h"
#include "screens/transfer/transfer_host_documents.h"
#include "screens/transfer/transfer_source.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;
using runtime::hostStep;
using runtime::ReleaseEnded;

namespace {

std::string batch(const Transfer& t) {
  return SParm(t.bXNATranHdr.NATrBatNbr);
}

std::string mark(const Transfer& t) {
  return "NA Transfer " + t.bXNATranHdr.NATrBatNbr.trimmed();
}

void recordDebitMemo(Transfer& t, const std::string& reference) {
  Sql(t.csr_update, "UPDATE XNATranHdr Set ARDMRefNbr = " + SParm(reference) + ReleaseStamp() +
                        " WHERE NATrBatNbr = " + batch(t));
  t.bXNATranHdr.ARDMRefNbr = reference;
}

void recordCreditMemo(Transfer& t, const Text<15>& destination, const std::string& reference) {
  Sql(t.csr_update, "UPDATE XNATranDet Set ARRefNbr = " + SParm(reference) + ReleaseStamp() +
                        " WHERE NATrBatNbr = " + batch(t) +
                        " AND DestCustID = " + SParm(destination));
}

// A document stored in the host before the release could record it.
void adopt(Transfer& t, const ARDoc& doc) {
  if (doc.DocType == "DM" && doc.CustId == t.bXNATranHdr.SrcCustID &&
      t.bXNATranHdr.ARDMRefNbr.blank())
    recordDebitMemo(t, doc.RefNbr.trimmed());
  if (doc.DocType == "CM")
    Sql(t.csr_update, "UPDATE XNATranDet Set ARRefNbr = " + SParm(doc.RefNbr) + ReleaseStamp() +
                          " WHERE NATrBatNbr = " + batch(t) +
                          " AND DestCustID = " + SParm(doc.CustId) + " AND ARRefNbr = ''");
}

bool everyDocumentRecorded(Transfer& t) {
  double missing = 0;
  Sql(t.csr_update, "select count(*) from XNATranDet where ARRefNbr = '' and NATrBatNbr = " +
                        batch(t));
  SGroupFetch1(t.csr_update, missing, 8);
  return missing == 0 && !t.bXNATranHdr.ARDMRefNbr.blank();
}


// The source document as the batch names it; another customer's document of
// the same reference is never charged.
void readSourceDocument(Transfer& t) {
  const auto& h = t.bXNATranHdr;
  int rc = SqlFetch1(t.csr_ardoc, "ARDoc_RefNbr " + SParm(h.SrcRefNbr), t.bARDoc, sizeof t.bARDoc);
  while (rc != NotFound && !(t.bARDoc.CustId == h.SrcCustID && t.bARDoc.DocType == h.SrcDocType))
    rc = SFetch1(t.csr_ardoc, t.bARDoc, sizeof t.bARDoc);
  if (rc != NotFound) return;
  MessBox("ARDoc - " + h.SrcRefNbr.trimmed() + " not found.", StylePlain, "Transfer");
  Status(StatusClose, 0, "", 0);
  throw ReleaseEnded{};
}

// The source's line in a destination line's layout: the columns the two share by name.
XNATranDLn asDestinationLine(const ARTran& source) {
  XNATranDLn line{};
  const RecordRef from(source), to(line);
  for (const FieldDesc& f : XNATranDLn::layout().fields())
    if (const FieldDesc* same = ARTran::layout().find(f.name); same && same->type == f.type)
      setFieldText(to, f, fieldText(from, *same));
  return line;
}

void fromDestinationLine(DocumentEntry& e, const XNATranDLn& l) {
  e.account = l.Acct.view();
  e.company = l.cpnyid.view();
  e.extRef = l.ExtRefNbr.view();
  e.project = l.ProjectID.view();
  e.qty = l.qty;
  e.sub = l.Sub.view();
  e.task = l.TaskID.view();
  e.taxCat = l.TaxCat.view();
  e.taxId = l.TaxIDDflt.view();
  e.lineAmount = l.TranAmt;
  e.lineDesc = l.TranDesc.view();
  e.unitDesc = l.unitdesc.view();
  e.unitPrice = l.UnitPrice;
}

// A source whose lines the invoice screen did not enter (a payment) has none
// to repeat: its amount is offset through the module's wash account.
void washLine(Transfer& t, DocumentEntry& e) {
  SqlFetch1(t.csr_update, "select * from XNASetup", t.bXNASetup, sizeof t.bXNASetup);
  e = DocumentEntry{.type = e.type, .customer = e.customer, .amount = e.amount,
                    .description = e.description};
  e.account = t.bXNASetup.vond1.view();
  e.sub = t.bXNASetup.vond2.view();
  e.company = t.bARDoc.CpnyID.view();
  e.qty = 1;
  e.unitPrice = e.lineAmount = t.bXNATranHdr.SrcAmt;
  e.lineDesc = e.description;
}

void enterCreditMemo(Transfer& t) {
  const XNATranDet& d = t.bDestWork;
  DocumentEntry e{.type = "Credit Memo",
                  .customer = std::string(d.DestCustID.view()),
                  .amount = d.DestAmt,
                  .description = mark(t)};
  EnterHeader(e);
  for (int rc = SqlFetch1(t.csr_linework,
                          "SELECT * FROM XNATranDLn WHERE NATrBatNbr = " + SParm(d.NATrBatNbr) +
                              " AND DetCustID = " + SParm(d.DestCustID) + " Order By LineNbr ASC",
                          t.bLineWork, sizeof t.bLineWork);
       rc != NotFound; rc = SFetch1(t.csr_linework, t.bLineWork, sizeof t.bLineWork)) {
    fromDestinationLine(e, t.bLineWork);
    EnterLine(e);
  }
  recordCreditMemo(t, d.DestCustID, FinishDocument());
}

// Every row of a read, taken whole before anything is written: a write ends
// the reads left open.
template <class Row>
std::vector<Row> readAll(Cursor& cursor, const std::string& statement) {
  std::vector<Row> all;
  Row row{};
  for (int rc = SqlFetch1(cursor, statement, row, sizeof row); rc != NotFound;
       rc = SFetch1(cursor, row, sizeof row))
    all.push_back(row);
  return all;
}

}  // namespace

EarlierRelease ResumeEarlierRelease() {
  auto& t = transfer();
  EarlierRelease earlier;
  for (const ARDoc& found :
       readAll<ARDoc>(t.csr_ardoc, "select * from ARDoc where DocDesc = " + SParm(mark(t)) +
                                       " order by BatNbr, DocType, RefNbr")) {
    earlier.batch = found.BatNbr.trimmed();
    adopt(t, found);
  }
  if (earlier.batch.empty()) return earlier;
  earlier.released = runtime::HostBatchReleased(t.csr_update, earlier.batch);
  earlier.complete = everyDocumentRecorded(t);
  if (!earlier.released)
    hostStep(TransferErrorReport(), [&] {
      HostField(*t.ReleaseScreen, "cBatNbr").ControlValue(earlier.batch);
    });
  return earlier;
}

// A source used in part is offset for what is left of it: each of its lines in
// proportion, the last taking the cents, so the customer is not charged the whole.
void EnterDebitMemo() {
  auto& t = transfer();
  if (!t.bXNATranHdr.ARDMRefNbr.blank()) return;
  readSourceDocument(t);
  const double whole = t.bARDoc.CuryOrigDocAmt, left = t.bXNATranHdr.SrcAmt;
  DocumentEntry e{.type = "Debit Memo",
                  .customer = std::string(t.bARDoc.CustId.view()),
                  .amount = left,
                  .description = mark(t)};
  EnterHeader(e);
  const auto lines = readAll<ARTran>(t.csr_artran, SourceLinesStatement(t.bARDoc));
  double entered = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    fromDestinationLine(e, asDestinationLine(lines[i]));
    if (FPSub(whole, left) != 0) {
      e.qty = 1;
      e.unitPrice = e.lineAmount =
          i + 1 == lines.size() ? FPSub(left, entered) : FPRound(e.lineAmount * left / whole);
    }
    entered = FPAdd(entered, e.lineAmount);
    EnterLine(e);
  }
  if (lines.empty()) {
    washLine(t, e);
    EnterLine(e);
  }
  recordDebitMemo(t, FinishDocument());
}

void EnterCreditMemos() {
  auto& t = transfer();
  for (const XNATranDet& destination : readAll<XNATranDet>(
           t.csr_xnatrandetwork, "SELECT * FROM XNATranDet WHERE NATrBatNbr = " + batch(t))) {
    t.bDestWork = destination;
    if (t.bDestWork.ARRefNbr.blank()) enterCreditMemo(t);
    t.bDestWork = t.nDestWork;
  }
}

void RecordHostBatch(const std::string& hostBatch) {
  auto& t = transfer();
  Sql(t.csr_update, "UPDATE XNATranHdr Set ARBatNbr = " + SParm(hostBatch) + ReleaseStamp() +
                        " WHERE NATrBatNbr = " + batch(t));
  t.bXNATranHdr.ARBatNbr = hostBatch;
}

}  // namespace corvena::transfer
