#include "platform/ar/payment_entry.h"

namespace corvena {
CORVENA_RECORD_LAYOUT(PayLine, CORVENA_PAYLINE_FIELDS)
CORVENA_RECORD_LAYOUT(PayTotals, CORVENA_PAYTOTALS_FIELDS)
}  // namespace corvena

namespace corvena::ar {

namespace {

using C = forms::ControlClass;

forms::ControlDesc field(C cls, const char* name, const char* fieldname, const char* heading) {
  return boundControl(cls, name, fieldname, "1", heading, "frmDocument");
}

forms::ControlDesc column(C cls, const char* name, const char* fieldname, const char* heading) {
  return boundControl(cls, name, fieldname, "2", heading, "Spread1", false);
}

std::vector<forms::ControlDesc> documentControls() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Frame, .name = "frmDocument", .caption = "Payment"},
      field(C::MaskedText, "cCustID", "bARDoc.CustId", "Customer ID"),
      field(C::Combo, "cDocType", "bARDoc.DocType", "Doc Type"),
      field(C::MaskedText, "cRefNbr", "bARDoc.RefNbr", "Ref Nbr"),
      field(C::Date, "cDocDate", "bARDoc.DocDate", "Doc Date"),
      field(C::Float, "cOrigDocAmt", "bARDoc.OrigDocAmt", "Payment Amount"),
      field(C::MaskedText, "cBankAcct", "bARDoc.BankAcct", "Cash Account"),
      field(C::MaskedText, "cBankSub", "bARDoc.BankSub", "Cash Subaccount"),
      field(C::Float, "cApplTotal", "bPayTotals.ApplTotal", "Applied"),
      field(C::Float, "cDiscTotal", "bPayTotals.DiscTotal", "Discounts"),
      field(C::MaskedText, "cDocDesc", "bARDoc.DocDesc", "Description"),
      // A reversal names the document it reverses, and the batch when only what
      // that document applied there comes back.
      field(C::Combo, "cRevDocType", "bARDoc.RevDocType", "Reverses Doc Type"),
      field(C::MaskedText, "cRevRefNbr", "bARDoc.RevRefNbr", "Reverses Ref Nbr"),
      field(C::MaskedText, "cRevBatNbr", "bARDoc.RevBatNbr", "Only Its Batch"),
      // A caller's note on what drives the screen; it stands alone, no field's label.
      {.cls = C::Label, .name = "lxNAFlag", .parent = "frmDocument"},
  };
  c[1].pv = "Customer_Active";
  c[1].blankerr = true;
  c[1].mask = std::string(15, 'X');
  c[2].list = "PA;Payment,CM;Credit Memo,PP;Prepayment,RV;Reversal";
  c[2].defaultValue = "PA";
  c[3].level = "1,k";
  c[3].mask = std::string(10, 'X');
  c[3].blankerr = true;
  c[3].dbnav = R"("ARDoc_Batch", "bBatch.BatNbr"; 0; 0; 0; 0,)";
  c[4].defaultValue = "bpes.Today";
  c[5].min = 0.0;
  c[5].max = 999999999.99;
  c[6].defaultValue = "bARSetup.ChkAcct";
  c[6].pv = "account_all";
  c[7].defaultValue = "bARSetup.ChkSub";
  for (int i : {8, 9}) c[i].enabled = false;
  c[8].trigger = "bPayLine.ApplAmt;c;i";
  c[9].trigger = "bPayLine.DiscAmt;c;i";
  for (int i : {5, 8, 9}) c[i].keptInView = true;
  c[10].mask = std::string(30, 'X');
  c[11].list = "PA;Payment,PP;Prepayment,CM;Credit Memo";
  c[12].mask = c[13].mask = std::string(10, 'X');
  return c;
}

std::vector<forms::ControlDesc> gridControls() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Frame, .name = "frmApplications", .caption = "Open Documents"},
      {.cls = C::Grid, .name = "Spread1", .level = "2", .parent = "frmApplications"},
      column(C::MaskedText, "crefnbr1", "bPayLine.RefNbr", "Ref Nbr"),
      column(C::Combo, "cdoctype1", "bPayLine.DocType", "Doc Type"),
      column(C::Date, "cDocDate1", "bPayLine.DocDate", "Doc Date"),
      column(C::Float, "cDocBal1", "bPayLine.CuryDocBal", "Balance"),
      column(C::Float, "ctranamt", "bPayLine.ApplAmt", "Amount to Apply"),
      column(C::Float, "cCuryUnitPrice", "bPayLine.DiscAmt", "Discount"),
      column(C::Float, "cDiscBal1", "bPayLine.CuryDiscBal", "Discount Balance"),
      column(C::Date, "cDiscDate1", "bPayLine.DiscDate", "Discount Date"),
  };
  c[3].list = "IN;Invoice,DM;Debit Memo,FI;Finance Charge";
  for (int i : {6, 7}) {
    c[i].enabled = true;
    c[i].min = 0.0;
    c[i].max = 999999999.99;
  }
  return c;
}

}  // namespace

forms::FormDesc paymentEntryForm() {
  forms::FormDesc d{.name = "Form1", .caption = "Payment Application (08.030.00)"};
  for (auto part : {batchControls("08030", "Batch;N,Document;N,Applications;D"),
                    documentControls(), gridControls()})
    d.controls.insert(d.controls.end(), part.begin(), part.end());
  return d;
}

}  // namespace corvena::ar
