#include "platform/ar/invoice_entry.h"

namespace corvena::ar {

namespace {

using C = forms::ControlClass;

forms::ControlDesc field(C cls, const char* name, const char* fieldname, const char* heading) {
  return boundControl(cls, name, fieldname, "1", heading, "frmDocument");
}

forms::ControlDesc column(C cls, const char* name, const char* fieldname, const char* heading) {
  return boundControl(cls, name, fieldname, "2", heading, "Spread1");
}

std::vector<forms::ControlDesc> documentControls() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Frame, .name = "frmDocument", .caption = "Document"},
      field(C::MaskedText, "cRefNbr", "bARDoc.RefNbr", "Ref Nbr"),
      field(C::Combo, "cDocType", "bARDoc.DocType", "Doc Type"),
      field(C::MaskedText, "cCustID", "bARDoc.CustId", "Customer ID"),
      field(C::Date, "cDocDate", "bARDoc.DocDate", "Doc Date"),
      field(C::Float, "cOrigDocAmt", "bARDoc.OrigDocAmt", "Document Amount"),
      field(C::Float, "cDocBal", "bARDoc.DocBal", "Lines Total"),
      field(C::MaskedText, "cDocDesc", "bARDoc.DocDesc", "Description"),
      field(C::MaskedText, "cARAcct", "bARDoc.ArAcct", "AR Account"),
      field(C::MaskedText, "cARSub", "bARDoc.ArSub", "AR Subaccount"),
      field(C::MaskedText, "cProjectID_Hdr", "bARDoc.ProjectID", "Project"),
  };
  c[1].level = "1,k";
  c[1].mask = std::string(10, 'X');
  c[1].dbnav = R"("ARDoc_Batch", "bBatch.BatNbr"; 0; 0; 0; 0,)";
  c[2].list = "IN;Invoice,DM;Debit Memo,CM;Credit Memo";
  c[2].defaultValue = "IN";
  c[3].pv = "Customer_Active";
  c[3].blankerr = true;
  c[3].mask = std::string(15, 'X');
  c[4].defaultValue = "bpes.Today";
  c[5].min = 0.0;
  c[5].max = 999999999.99;
  c[6].enabled = false;
  c[6].trigger = "bARTran.TranAmt;c;i";
  c[5].keptInView = c[6].keptInView = true;
  c[8].defaultValue = "bARSetup.ArAcct";
  c[8].pv = "account_all";
  c[9].defaultValue = "bARSetup.ArSub";
  return c;
}

std::vector<forms::ControlDesc> lineControls() {
  std::vector<forms::ControlDesc> c{
      {.cls = C::Grid, .name = "Spread1", .level = "2",
       .dbnav = R"("ARTran_Doc", "bARDoc.BatNbr"; 0; 0; 0; 0, "bARDoc.RefNbr"; 0; 0; 0; 0, )"
                R"("bARTran.LineNbr"; 0; 0; 0; 1,)",
       .parent = "frmLines"},
      column(C::MaskedText, "cAcct", "bARTran.Acct", "Account"),
      column(C::MaskedText, "cSub", "bARTran.Sub", "Subaccount"),
      column(C::MaskedText, "cCpnyIDTran", "bARTran.CpnyID", "Company"),
      column(C::MaskedText, "cExtRefNbr", "bARTran.ExtRefNbr", "Ext Ref Nbr"),
      column(C::Float, "cqty", "bARTran.Qty", "Quantity"),
      column(C::MaskedText, "cUnitDesc", "bARTran.UnitDesc", "Unit"),
      column(C::Float, "cUnitPrice", "bARTran.UnitPrice", "Unit Price"),
      column(C::Float, "cTranAmt", "bARTran.TranAmt", "Amount"),
      column(C::MaskedText, "cTranDesc", "bARTran.TranDesc", "Description"),
      column(C::MaskedText, "ctaxcat", "bARTran.TaxCat", "Tax Category"),
      column(C::MaskedText, "ctaxiddflt", "bARTran.TaxIDDflt", "Tax ID"),
      column(C::MaskedText, "cProjectID", "bARTran.ProjectID", "Project"),
      column(C::MaskedText, "cTaskID", "bARTran.TaskID", "Task"),
  };
  c[1].pv = "account_all";
  c[1].blankerr = true;
  c[3].defaultValue = "bpes.CpnyID";
  c[5].defaultValue = "1";
  for (int i : {5, 7, 8}) c[i].max = 999999999.99;
  return c;
}

}  // namespace

forms::FormDesc invoiceEntryForm() {
  forms::FormDesc d{.name = "Form1", .caption = "Invoice and Memo (08.010.00)"};
  for (auto part : {batchControls("08010", "Batch;N,Document;N,Lines;DA"), documentControls(),
                    std::vector<forms::ControlDesc>{
                        {.cls = C::Frame, .name = "frmLines", .caption = "Lines"}},
                    lineControls()})
    d.controls.insert(d.controls.end(), part.begin(), part.end());
  return d;
}

}  // namespace corvena::ar
