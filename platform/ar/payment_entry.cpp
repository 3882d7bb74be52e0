#include "platform/ar/payment_entry.h"

#include <cstdlib>
#include <vector>

#include "platform/ar/ledger_reversal.h"
#include "platform/ar/ledger_sql.h"
#include "platform/forms/messages.h"

namespace corvena::ar {

namespace {

constexpr int kDuplicateReference = 3007;
constexpr int kBeyondBalance = 217;
constexpr int kBeyondDiscount = 15;
constexpr int kDiscountDatePassed = 12338;

double typed(const std::string& text) {
  return cents(std::strtod(text.c_str(), nullptr));
}

}  // namespace

PaymentEntry::PaymentEntry(forms::Form& form)
    : session_(form.session()), form_(form), batch_(form, "08030") {
  form.onLoad([this] { load(); });
  form.control("cCustID").onValueCheck([this](std::string& t) { return customerCheck(t); });
  form.control("cRefNbr").onValueCheck([this](std::string& t) { return refNbrCheck(t); });
  form.control("ctranamt").onValueCheck([this](std::string& t) { return amountCheck(t); });
  form.control("cCuryUnitPrice").onValueCheck([this](std::string& t) { return discountCheck(t); });
  form.control("cRevRefNbr").onValueCheck([this](std::string& t) {
    bARDoc.RevRefNbr = t;
    return reversalCheck();
  });
  form.control("cRevBatNbr").onValueCheck([this](std::string& t) {
    bARDoc.RevBatNbr = t;
    return reversalCheck();
  });
  auto& update = form.control("Update1");
  update.onSaveLevel([this](int level) { return saveLevel(level); });
  update.onSaveCompleted([this](int, int) { batch_.showTotal(); });
  form.control("cOrigDocAmt").onValueDisplayed([this] { batch_.showTotal(); });
  batch_.trackDocument(bARDoc, [this] { return !existingCredit(); });
  batch_.onDocumentDeleted([this] { deleteApplications(); });
  update.onNewRequested([this](int level) { return level == 0 ? batch_.complete() : 0; });
}

void PaymentEntry::load() {
  batch_.load();
  for (auto* r : {&bARDoc, &nARDoc}) blankRecord(*r);
  for (auto* r : {&bPayLine, &nPayLine}) blankRecord(*r);
  for (auto* r : {&bPayTotals, &nPayTotals}) blankRecord(*r);
  session_.bindRecord(1, "bARDoc", bARDoc, nARDoc);
  session_.bindRecord(2, "bPayLine", bPayLine, nPayLine);
  session_.bindRecord(15, "bPayTotals", bPayTotals, nPayTotals);
  session_.cursors().openCursor(docCursor_, 1, "CSR_ARDOC", "ARDoc");
  // The grid lives on the screen; applications are written by the save itself.
  session_.cursors().openCursor(lineCursor_, 2, "CSR_PAYLINE", "XPayLine");
  lines_ = session_.grids().detailSetup(lineCursor_, form_.control("Spread1"), nullptr, {bPayLine});
  session_.updates().setButtons(forms::kButtonNew | forms::kButtonDelete, 2, 0);
}

// The open documents of the customer, with what this document applies to
// them; for a reversal, the documents it opens again, with what comes back.
void PaymentEntry::loadLines() {
  const auto lit = [](const auto& text) { return db::textLiteral(text.trimmed()); };
  if (reversal())
    session_.grids().loadArray(
        lines_, lineCursor_,
        "SELECT d.RefNbr, d.DocType, d.DocDate, d.DueDate, d.DiscDate, d.CuryDocBal, d.CuryDiscBal,"
        " SUM(a.CuryAdjdAmt) AS ApplAmt, SUM(a.CuryAdjdDiscAmt) AS DiscAmt FROM ARAdjust a"
        " JOIN ARDoc d ON d.CustId = a.CustId AND d.DocType = a.AdjdDocType"
        " AND d.RefNbr = a.AdjdRefNbr WHERE a.Rlsed = 1 AND a.CustId = " + lit(bARDoc.CustId) +
            " AND a.AdjgDocType = " + lit(bARDoc.RevDocType) + " AND a.AdjgRefNbr = " +
            lit(bARDoc.RevRefNbr) + " AND (" + lit(bARDoc.RevBatNbr) + " = '' OR a.AdjBatNbr = " +
            lit(bARDoc.RevBatNbr) + ") GROUP BY d.RefNbr, d.DocType, d.DocDate, d.DueDate,"
            " d.DiscDate, d.CuryDocBal, d.CuryDiscBal"
            " HAVING ROUND(SUM(a.CuryAdjdAmt + a.CuryAdjdDiscAmt), 2) > 0 ORDER BY d.DocDate, d.RefNbr");
  else
    session_.grids().loadArray(
      lines_, lineCursor_,
      "SELECT d.RefNbr, d.DocType, d.DocDate, d.DueDate, d.DiscDate, d.CuryDocBal, d.CuryDiscBal,"
      " COALESCE(a.CuryAdjdAmt, 0) AS ApplAmt, COALESCE(a.CuryAdjdDiscAmt, 0) AS DiscAmt"
      " FROM ARDoc d LEFT JOIN ARAdjust a ON a.CustId = d.CustId AND a.AdjdDocType = d.DocType"
      " AND a.AdjdRefNbr = d.RefNbr AND a.Rlsed = 0 AND a.AdjBatNbr = " +
          lit(batch_.bBatch.BatNbr) + " AND a.AdjgDocType = " + lit(bARDoc.DocType) +
          " AND a.AdjgRefNbr = " + lit(bARDoc.RefNbr) + " WHERE d.CustId = " + lit(bARDoc.CustId) +
          " AND d.Rlsed = 1 AND d.OpenDoc = 1 AND d.DocType IN ('IN', 'DM', 'FI')"
          " ORDER BY d.DocDate, d.RefNbr");
  session_.updates().setLevelChange(2, forms::kLineUnchanged);
  session_.displayFields({&form_.control("cApplTotal"), &form_.control("cDiscTotal")});
  openDocumentsOf_ = reversal() || !bARDoc.RefNbr.blank() ? "" : bARDoc.CustId.trimmed();
}

bool PaymentEntry::showsOpenDocumentsOf(const std::string& customer) const {
  return openDocumentsOf_ == customer &&
         session_.updates().levelChange(2) == forms::kLineUnchanged;
}

int PaymentEntry::customerCheck(std::string& text) {
  bARDoc.CustId = text;
  loadLines();
  return 0;
}

// An open credit of the customer to apply, or a new payment; a reference the
// customer already has as a payment, in this batch or another, is refused.
// The batch's own documents are reached by moving through them.
int PaymentEntry::refNbrCheck(std::string& text) {
  const std::string cust = bARDoc.CustId.trimmed();
  const std::string type = bARDoc.DocType.trimmed();
  if (!selectCredit(text)) {
    if (type != "PA" && type != "PP" && type != "RV") {
      session_.messages().messageBox(
          type + " " + text + " is not an open credit of customer " + cust + ".",
          forms::kStyleWarning, "Message");
      return forms::kSilentRefusal;
    }
    if (customerHasPayment(text)) {
      session_.messages().message(kDuplicateReference);
      return forms::kSilentRefusal;
    }
    startPayment(text);
    // A new payment has nothing applied yet: the documents shown stay.
    if (!reversal() && showsOpenDocumentsOf(cust)) return 0;
  }
  loadLines();
  return 0;
}

bool PaymentEntry::selectCredit(const std::string& ref) {
  const std::string cust = bARDoc.CustId.trimmed(), type = bARDoc.DocType.trimmed();
  const std::string sql = "SELECT * FROM ARDoc WHERE CustId = " + db::textLiteral(cust) +
                          " AND DocType = " + db::textLiteral(type) +
                          " AND RefNbr = " + db::textLiteral(ref) +
                          " AND Rlsed = 1 AND OpenDoc = 1 AND DocType IN ('CM', 'PA', 'PP')";
  if (session_.cursors().fetchFirst(docCursor_, sql, {bARDoc}) != forms::kLineOk) return false;
  // What is left of the credit is what it can apply.
  bARDoc.OrigDocAmt = bARDoc.CuryDocBal;
  session_.setProperty(form_.control("cOrigDocAmt"), "enabled", "False");
  return true;
}

bool PaymentEntry::customerHasPayment(const std::string& ref) {
  return query(session_.database(),
               "SELECT 1 FROM ARDoc WHERE CustId = ?1 AND RefNbr = ?2 AND CASE WHEN ?3 = 'RV'"
               " THEN DocType = 'RV' ELSE DocType IN ('PA', 'PP') END",
               {bARDoc.CustId.trimmed(), ref, bARDoc.DocType.trimmed()})
      .step();
}

void PaymentEntry::startPayment(const std::string& ref) {
  const std::string cust = bARDoc.CustId.trimmed(), type = bARDoc.DocType.trimmed();
  const Date date = bARDoc.DocDate.isBlank() ? session_.businessDate() : bARDoc.DocDate;
  const double amount = bARDoc.OrigDocAmt;
  bARDoc = nARDoc;
  bARDoc.CustId = cust;
  bARDoc.DocType = type;
  bARDoc.RefNbr = ref;
  bARDoc.DocDate = date;
  bARDoc.OrigDocAmt = amount;
  // A reversal moves no cash of its own: it is for what it takes back.
  if (!reversal()) {
    bARDoc.BankAcct = batch_.bARSetup.ChkAcct.view();
    bARDoc.BankSub = batch_.bARSetup.ChkSub.view();
  }
  if (reversal()) bARDoc.RevDocType = "PA";
  session_.updates().setLevelChange(1, forms::kLineInserted);
  session_.setProperty(form_.control("cOrigDocAmt"), "enabled", reversal() ? "False" : "True");
}

// A reversal is for what its document comes to; one the ledger would refuse
// is refused as it is typed and again as it is saved.
bool PaymentEntry::priceReversal() {
  const ReversalCheck c =
      bARDoc.RevRefNbr.blank()
          ? ReversalCheck{.why = "A reversal names the document it reverses."}
          : checkReversal(session_.database(), bARDoc, batch_.bBatch.PerPost.trimmed(),
                          batch_.bARSetup);
  if (!c.why.empty()) {
    session_.messages().messageBox(c.why, forms::kStyleWarning, "Message");
    return false;
  }
  bARDoc.OrigDocAmt = c.amount;
  return true;
}

int PaymentEntry::reversalCheck() {
  if (!reversal() || bARDoc.RevRefNbr.blank()) return 0;
  if (!priceReversal()) return forms::kSilentRefusal;
  session_.displayFields({&form_.control("cOrigDocAmt")});
  loadLines();
  return 0;
}

// Amount and discount together stay within the document's balance.
int PaymentEntry::amountCheck(std::string& text) {
  if (cents(typed(text) + bPayLine.DiscAmt - bPayLine.CuryDocBal) <= 0) return 0;
  session_.messages().message(kBeyondBalance);
  return forms::kSilentRefusal;
}

int PaymentEntry::discountCheck(std::string& text) {
  const double discount = typed(text);
  if (cents(discount - bPayLine.CuryDiscBal) > 0) {
    session_.messages().message(kBeyondDiscount, {bPayLine.RefNbr.trimmed()});
    return forms::kSilentRefusal;
  }
  if (cents(discount + bPayLine.ApplAmt - bPayLine.CuryDocBal) > 0) {
    session_.messages().message(kBeyondBalance);
    return forms::kSilentRefusal;
  }
  if (discount > 0 && bARDoc.DocDate.serial() > bPayLine.DiscDate.serial())
    session_.messages().message(kDiscountDatePassed);
  return 0;
}

int PaymentEntry::saveLevel(int level) {
  if (level == 0) return batch_.prepareSave() ? 0 : forms::kSilentRefusal;
  if (level == 1) return saveDocument() ? 0 : forms::kSilentRefusal;
  if (level == 2) saveApplications();
  return 0;
}

// A payment applies no more than its amount, an existing credit no more than
// is left of it; an existing credit itself is not written again.
bool PaymentEntry::saveDocument() {
  if (bARDoc.RefNbr.blank()) return true;
  if (cents(bPayTotals.ApplTotal - bARDoc.OrigDocAmt) > 0) {
    session_.messages().messageBox(
        "The applications (" + money(bPayTotals.ApplTotal) + ") exceed " +
            (existingCredit() ? "what is left of the credit (" : "the payment (") +
            money(bARDoc.OrigDocAmt) + ").",
        forms::kStyleWarning, "Message");
    return false;
  }
  if (existingCredit()) {
    session_.updates().setLevelChange(1, forms::kLineUnchanged);
    return true;
  }
  if (reversal() && !priceReversal()) return false;
  // Only a reversal names another document; a payment saved so would pass for reversed.
  if (!reversal()) {
    bARDoc.RevDocType = "";
    bARDoc.RevRefNbr = "";
    bARDoc.RevBatNbr = "";
  }
  bARDoc.BatNbr = batch_.bBatch.BatNbr.view();
  bARDoc.CpnyID = session_.pes().CpnyID.view();
  bARDoc.PerPost = batch_.bBatch.PerPost.view();
  bARDoc.CuryOrigDocAmt = bARDoc.OrigDocAmt;
  bARDoc.CuryId = session_.pes().CuryId.view();
  batch_.stamp(bARDoc);
  return true;
}

// A reversal's applications are written by its release, from the ledger.
void PaymentEntry::saveApplications() {
  if (reversal()) return;
  const std::string bat = batch_.bBatch.BatNbr.trimmed(), cust = bARDoc.CustId.trimmed();
  const std::string type = bARDoc.DocType.trimmed(), ref = bARDoc.RefNbr.trimmed();
  deleteApplications();
  std::vector<ARAdjust> rows;
  for (int rc = lines_->first(); rc == forms::kLineOk; rc = lines_->next()) {
    if (cents(bPayLine.ApplAmt + bPayLine.DiscAmt) <= 0) continue;
    ARAdjust& a = rows.emplace_back();
    blankRecord(a);
    a.AdjBatNbr = bat;
    a.CustId = cust;
    a.AdjdDocType = bPayLine.DocType.view();
    a.AdjdRefNbr = bPayLine.RefNbr.view();
    a.AdjgDocType = type;
    a.AdjgRefNbr = ref;
    a.AdjAmt = a.CuryAdjdAmt = bPayLine.ApplAmt;
    a.AdjDiscAmt = a.CuryAdjdDiscAmt = bPayLine.DiscAmt;
    a.AdjgDocDate = bARDoc.DocDate;
    a.PerAppl = batch_.bBatch.PerPost.view();
    a.CpnyID = session_.pes().CpnyID.view();
    batch_.stamp(a);
  }
  session_.database().insert("ARAdjust", std::vector<RecordRef>(rows.begin(), rows.end()));
}

// What this batch applies of the document on the screen, not yet released.
void PaymentEntry::deleteApplications() {
  execute(session_.database(),
          "DELETE FROM ARAdjust WHERE AdjBatNbr = ?1 AND CustId = ?2 AND AdjgDocType = ?3"
          " AND AdjgRefNbr = ?4 AND Rlsed = 0",
          {batch_.bBatch.BatNbr.trimmed(), bARDoc.CustId.trimmed(), bARDoc.DocType.trimmed(),
           bARDoc.RefNbr.trimmed()});
}

std::shared_ptr<void> attachPaymentEntry(forms::Form& form, const std::vector<std::string>&) {
  return std::make_shared<PaymentEntry>(form);
}

}  // namespace corvena::ar
