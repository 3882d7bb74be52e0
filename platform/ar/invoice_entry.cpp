#include "platform/ar/invoice_entry.h"

#include "platform/ar/ledger_sql.h"
#include "platform/forms/messages.h"

namespace corvena::ar {

namespace {

constexpr int kDuplicateReference = 3007;

bool anyRow(db::Database& db, const char* sql) {
  return query(db, sql).step();
}

}  // namespace

InvoiceEntry::InvoiceEntry(forms::Form& form)
    : session_(form.session()), form_(form), batch_(form, "08010") {
  form.onLoad([this] { load(); });
  form.control("cRefNbr").onValueCheck([this](std::string& t) { return refNbrCheck(t); });
  form.control("cCustID").onValueCheck([this](std::string& t) { return customerCheck(t); });
  for (const char* c : {"cqty", "cUnitPrice"})
    form.control(c).onValueDisplayed([this] { lineAmountShown(); });
  form.control("cAcct").onValueCheck([this](std::string& t) { return accountCheck(t); });
  form.control("cAcct").onValueDisplayed([this] { accountShown(); });
  auto& update = form.control("Update1");
  update.onSaveLevel([this](int level) { return saveLevel(level); });
  update.onSaveCompleted([this](int, int) { batch_.showTotal(); });
  form.control("cOrigDocAmt").onValueDisplayed([this] { batch_.showTotal(); });
  batch_.trackDocument(bARDoc, [this] { return bARDoc.Rlsed == 0; });
  update.onNewRequested([this](int level) { return level == 0 ? batch_.complete() : 0; });
}

void InvoiceEntry::load() {
  batch_.load();
  for (auto* r : {&bARDoc, &nARDoc}) blankRecord(*r);
  for (auto* r : {&bARTran, &nARTran}) blankRecord(*r);
  session_.bindRecord(1, "bARDoc", bARDoc, nARDoc);
  session_.bindRecord(2, "bARTran", bARTran, nARTran);
  session_.cursors().openCursor(docCursor_, 1, "CSR_ARDOC", "ARDoc");
  session_.cursors().openCursor(lineCursor_, 2, "CSR_ARTRAN", "ARTran");
  lines_ = session_.grids().detailSetup(lineCursor_, form_.control("Spread1"), &bARTran.LineNbr,
                                        {bARTran});
  db::Database& db = session_.database();
  // The host numbers references itself unless its AR setup leaves them to the clerk.
  session_.setProperty(form_.control("cRefNbr"), "blankerr",
                       batch_.bARSetup.AutoRef == 0 ? "True" : "False");
  session_.setProperty(form_.control("cProjectID_Hdr"), "blankerr",
                       anyRow(db, "SELECT 1 FROM PJContrl") ? "True" : "False");
  const bool taxes = anyRow(db, "SELECT 1 FROM SalesTax");
  for (const char* c : {"ctaxcat", "ctaxiddflt"})
    session_.setProperty(form_.control(c), "enabled", taxes ? "True" : "False");
  accountShown();
}

// A reference of this batch recalls its document and lines; another starts a
// new document with it.
int InvoiceEntry::refNbrCheck(std::string& text) {
  if (session_.cursors().dbnavFetch(nullptr, docCursor_, text, {bARDoc}) != forms::kLineOk)
    startDocument(text);
  session_.grids().gridLoad(form_.control("Spread1"));
  return 0;
}

// A type chosen before the reference, on a document not yet numbered, stays.
void InvoiceEntry::startDocument(const std::string& ref) {
  const bool typeChosenFirst = bARDoc.RefNbr.blank() && !bARDoc.DocType.blank();
  const auto type = bARDoc.DocType;
  bARDoc = nARDoc;
  bARDoc.RefNbr = ref;
  bARDoc.DocType = typeChosenFirst ? type.view() : "IN";
  bARDoc.DocDate = session_.businessDate();
  bARDoc.ArAcct = batch_.bARSetup.ArAcct.view();
  bARDoc.ArSub = batch_.bARSetup.ArSub.view();
  session_.updates().setLevelChange(1, forms::kLineInserted);
}

// A saved document keeps its customer: the customer is part of its key.
int InvoiceEntry::customerCheck(std::string& text) {
  const bool stored = query(session_.database(),
                            "SELECT 1 FROM ARDoc WHERE BatNbr = ?1 AND RefNbr = ?2 AND BatNbr <> ''",
                            {bARDoc.BatNbr.trimmed(), bARDoc.RefNbr.trimmed()})
                          .step();
  if (!stored || bARDoc.CustId.blank() || bARDoc.CustId == text) return 0;
  session_.messages().messageBox(
      "The customer of a saved document cannot be changed; delete the document "
      "and enter it again.",
      forms::kStyleWarning, "Message");
  return forms::kSilentRefusal;
}

// Quantity times unit price, unless the clerk types the amount.
void InvoiceEntry::lineAmountShown() {
  bARTran.TranAmt = cents(bARTran.Qty * bARTran.UnitPrice);
  lines_->update();
  session_.grids().redisplay(lines_);
  session_.displayFields({&form_.control("cDocBal")});
}

// A line on the document's own AR account would post against AR itself: AR
// would record the document while the GL did not move.
int InvoiceEntry::accountCheck(std::string& text) {
  const std::string arAcct =
      bARDoc.ArAcct.blank() ? batch_.bARSetup.ArAcct.trimmed() : bARDoc.ArAcct.trimmed();
  if (arAcct.empty() || !(Text<10>(text) == arAcct)) return 0;
  session_.messages().messageBox(
      arAcct + " is the AR account of this document; its lines post to another account.",
      forms::kStyleWarning, "Message");
  return forms::kSilentRefusal;
}

// Projects and tasks belong to project accounts only.
void InvoiceEntry::accountShown() {
  const bool project = !bARTran.Acct.blank() &&
                       query(session_.database(), "SELECT 1 FROM PJ_Account WHERE gl_acct = ?1",
                             {bARTran.Acct.trimmed()})
                           .step();
  for (const char* c : {"cProjectID", "cTaskID"})
    session_.setProperty(form_.control(c), "enabled", project ? "True" : "False");
}

int InvoiceEntry::saveLevel(int level) {
  if (level == 0) return batch_.prepareSave() ? 0 : forms::kSilentRefusal;
  if (level == 1) return saveDocument() ? 0 : forms::kSilentRefusal;
  if (level == 2) saveLines();
  return 0;
}

bool InvoiceEntry::duplicateReference() {
  return query(session_.database(),
               "SELECT 1 FROM ARDoc WHERE CustId = ?1 AND DocType = ?2 AND RefNbr = ?3"
               " AND BatNbr <> ?4",
               {bARDoc.CustId.trimmed(), bARDoc.DocType.trimmed(), bARDoc.RefNbr.trimmed(),
                batch_.bBatch.BatNbr.trimmed()})
      .step();
}

bool InvoiceEntry::saveDocument() {
  // Only the batch is being saved: no document is on the screen to number.
  if (bARDoc.RefNbr.blank() && session_.updates().levelChange(1) == forms::kLineUnchanged)
    return true;
  if (bARDoc.RefNbr.blank() && batch_.bARSetup.AutoRef != 0) {
    db::Statement next = session_.database().run(db::Call{"AutoNbr_Next", "", {std::string("ARRefNbr")}});
    if (next.step()) bARDoc.RefNbr = std::get<std::string>(next.column(0));
  }
  if (bARDoc.RefNbr.blank()) {
    session_.messages().message(forms::kMsgNoNumber, {"ARRefNbr"});
    return false;
  }
  if (bARDoc.Rlsed != 0 || duplicateReference()) {
    session_.messages().message(bARDoc.Rlsed ? forms::kMsgEntryRefused : kDuplicateReference,
                                {"Ref Nbr"});
    return false;
  }
  bARDoc.BatNbr = batch_.bBatch.BatNbr.view();
  bARDoc.CpnyID = session_.pes().CpnyID.view();
  bARDoc.PerPost = batch_.bBatch.PerPost.view();
  bARDoc.CuryOrigDocAmt = bARDoc.OrigDocAmt;
  bARDoc.CuryId = session_.pes().CuryId.view();
  if (bARDoc.DueDate.isBlank()) bARDoc.DueDate = bARDoc.DocDate;
  batch_.stamp(bARDoc);
  return true;
}

void InvoiceEntry::saveLines() {
  const bool credit = bARDoc.DocType == "CM";
  for (int rc = lines_->first(); rc == forms::kLineOk; rc = lines_->next()) {
    bARTran.BatNbr = bARDoc.BatNbr.view();
    bARTran.RefNbr = bARDoc.RefNbr.view();
    bARTran.CustId = bARDoc.CustId.view();
    bARTran.TranType = bARDoc.DocType.view();
    bARTran.PerPost = bARDoc.PerPost.view();
    bARTran.TranDate = bARDoc.DocDate;
    bARTran.CuryTranAmt = bARTran.TranAmt;
    bARTran.DrCr = credit ? "D" : "C";
    if (lines_->state() != forms::kLineUnchanged) batch_.stamp(bARTran);
    const int state = lines_->state();
    lines_->update();
    if (state == forms::kLineUnchanged) lines_->setState(forms::kLineUpdated);
  }
}

std::shared_ptr<void> attachInvoiceEntry(forms::Form& form, const std::vector<std::string>&) {
  return std::make_shared<InvoiceEntry>(form);
}

}  // namespace corvena::ar
