#include "platform/ar/document_inquiry.h"

#include "platform/ar/host_batch.h"
#include "platform/forms/session.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(DocAppl, CORVENA_DOCAPPL_FIELDS)
CORVENA_RECORD_LAYOUT(DocInfo, CORVENA_DOCINFO_FIELDS)
}  // namespace corvena

namespace corvena::ar {

namespace {

using C = forms::ControlClass;

forms::ControlDesc shown(C cls, const char* name, const char* field, const char* heading) {
  return boundControl(cls, name, field, "0", heading, "frmDocument", false);
}

forms::ControlDesc column(C cls, const char* name, const char* field, const char* heading) {
  return boundControl(cls, name, field, "1", heading, "Spread1", false);
}

class DocumentInquiry {
 public:
  DocumentInquiry(forms::Form& form, std::vector<std::string> parameters)
      : session_(form.session()), form_(form), parameters_(std::move(parameters)) {
    form.onLoad([this] { load(); });
    form.control("cRefNbr").onValueCheck([this](std::string& t) { return find(t, custId()); });
    form.control("cCustID").onValueCheck([this](std::string& t) {
      return bDoc.RefNbr.blank() ? 0 : find(bDoc.RefNbr.trimmed(), t);
    });
  }

 private:
  std::string custId() const { return bDoc.CustId.trimmed(); }

  void load() {
    for (auto* r : {&bDoc, &nDoc}) blankRecord(*r);
    for (auto* r : {&bAppl, &nAppl}) blankRecord(*r);
    for (auto* r : {&bInfo, &nInfo}) blankRecord(*r);
    session_.bindRecord(0, "bDoc", bDoc, nDoc);
    session_.bindRecord(1, "bAppl", bAppl, nAppl);
    session_.bindRecord(15, "bInfo", bInfo, nInfo);
    session_.cursors().openCursor(docCursor_, 0 | forms::kCursorReadOnly, "CSR_ARDOC", "ARDoc");
    session_.cursors().openCursor(applCursor_, 1, "CSR_APPL", "XDocAppl");
    lines_ = session_.grids().detailSetup(applCursor_, form_.control("Spread1"), nullptr, {bAppl});
    session_.updates().setButtons(forms::kButtonNew | forms::kButtonSave | forms::kButtonDelete, -1,
                                  0);
    // Started from another screen: "4", its window, then reference and customer.
    if (parameters_.size() >= 3) {
      if (parameters_.size() >= 4) bDoc.CustId = parameters_[3];
      session_.enterValue(form_.control("cRefNbr"), parameters_[2]);
    }
  }

  // The customer's document of that reference; without a customer, the first.
  int find(const std::string& ref, const std::string& cust) {
    const std::string sql = "SELECT * FROM ARDoc WHERE RefNbr = " + db::textLiteral(ref) +
                            (cust.empty() ? "" : " AND CustId = " + db::textLiteral(cust)) +
                            " ORDER BY CustId, DocType LIMIT 1";
    if (session_.cursors().fetchFirst(docCursor_, sql, {bDoc}) != forms::kLineOk) {
      session_.messages().messageBox("There is no AR document " + ref +
                                         (cust.empty() ? std::string() : " of customer " + cust) +
                                         ".",
                                     forms::kStyleWarning, "Message");
      return forms::kSilentRefusal;
    }
    bInfo.Status = !bDoc.Rlsed                ? "Not released"
                   : bDoc.RevDocType == "RV" ? "Reversed"
                   : bDoc.OpenDoc            ? "Open"
                                             : "Closed";
    bInfo.Reversal = reversal();
    session_.grids().loadArray(lines_, applCursor_,
                               "ARDoc_Applications " + db::textLiteral(bDoc.CustId.trimmed()) +
                                   ", " + db::textLiteral(bDoc.DocType.trimmed()) + ", " +
                                   db::textLiteral(bDoc.RefNbr.trimmed()));
    session_.displayFields(form_.range(nullptr, nullptr));
    return 0;
  }

  // The reversal the document names, or the one that names it.
  std::string reversal() {
    const std::string bat = bDoc.RevBatNbr.trimmed();
    if (bDoc.DocType == "RV")
      return "Reverses " + bDoc.RevDocType.trimmed() + " " + bDoc.RevRefNbr.trimmed() +
             (bat.empty() ? "" : " in batch " + bat);
    if (bDoc.RevDocType == "RV") return "Reversed by RV " + bDoc.RevRefNbr.trimmed();
    db::Statement st = session_.database().prepare(
        "SELECT RefNbr, RevBatNbr FROM ARDoc WHERE DocType = 'RV' AND Rlsed = 1 AND CustId = ?1"
        " AND RevDocType = ?2 AND RevRefNbr = ?3 ORDER BY RefNbr LIMIT 1");
    st.bind(1, bDoc.CustId.trimmed());
    st.bind(2, bDoc.DocType.trimmed());
    st.bind(3, bDoc.RefNbr.trimmed());
    if (!st.step()) return "";
    return "Batch " + std::get<std::string>(st.column(1)) + " reversed by RV " +
           std::get<std::string>(st.column(0));
  }

  forms::Session& session_;
  forms::Form& form_;
  std::vector<std::string> parameters_;
  ARDoc bDoc{}, nDoc{};
  DocAppl bAppl{}, nAppl{};
  DocInfo bInfo{}, nInfo{};
  forms::CursorHandle docCursor_, applCursor_;
  forms::LineArray* lines_ = nullptr;
};

}  // namespace

forms::FormDesc documentInquiryForm() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Update, .name = "Update1", .levels = "Document;N,Applications;D"},
      {.cls = C::Frame, .name = "frmDocument", .caption = "Document"},
      {.cls = C::MaskedText, .name = "cRefNbr", .fieldname = "bDoc.RefNbr", .level = "0,k",
       .mask = std::string(10, 'X'), .heading = "Ref Nbr", .parent = "frmDocument"},
      {.cls = C::MaskedText, .name = "cCustID", .fieldname = "bDoc.CustId", .level = "0",
       .mask = std::string(15, 'X'), .heading = "Customer ID", .parent = "frmDocument"},
      shown(C::Combo, "cDocType", "bDoc.DocType", "Doc Type"),
      shown(C::MaskedText, "cStatus", "bInfo.Status", "Status"),
      shown(C::MaskedText, "cReversal", "bInfo.Reversal", "Reversal"),
      shown(C::Date, "cDocDate", "bDoc.DocDate", "Doc Date"),
      shown(C::Date, "cDueDate", "bDoc.DueDate", "Due Date"),
      shown(C::Float, "cOrigDocAmt", "bDoc.CuryOrigDocAmt", "Amount"),
      shown(C::Float, "cDocBal", "bDoc.CuryDocBal", "Balance"),
      shown(C::Float, "cDiscBal", "bDoc.CuryDiscBal", "Discount Balance"),
      shown(C::MaskedText, "cBatNbr", "bDoc.BatNbr", "Batch"),
      shown(C::MaskedText, "cPerPost", "bDoc.PerPost", "Period"),
      {.cls = C::Frame, .name = "frmApplications", .caption = "Applications"},
      {.cls = C::Grid, .name = "Spread1", .level = "1", .parent = "frmApplications"},
      column(C::MaskedText, "cRelation", "bAppl.Relation", "Applied"),
      column(C::Combo, "cOtherType", "bAppl.OtherType", "Doc Type"),
      column(C::MaskedText, "cOtherRef", "bAppl.OtherRef", "Ref Nbr"),
      column(C::Float, "cAmount", "bAppl.Amount", "Amount"),
      column(C::Float, "cDiscount", "bAppl.Discount", "Discount"),
      column(C::Date, "cApplDate", "bAppl.ApplDate", "Date"),
      column(C::MaskedText, "cApplBatch", "bAppl.BatNbr", "Batch"),
      column(C::MaskedText, "cReleased", "bAppl.Released", "Released"),
  };
  const char* types = "IN;Invoice,DM;Debit Memo,FI;Finance Charge,CM;Credit Memo,PA;Payment,"
                      "PP;Prepayment,RV;Reversal";
  c[4].list = types;
  c[17].list = types;
  return {.name = "Form1", .caption = "AR Document Inquiry (03.250.00)", .controls = c};
}

std::shared_ptr<void> attachDocumentInquiry(forms::Form& form,
                                            const std::vector<std::string>& parameters) {
  return std::make_shared<DocumentInquiry>(form, parameters);
}

}  // namespace corvena::ar
