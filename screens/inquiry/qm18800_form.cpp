#include "screens/inquiry/qm18800.h"

#include "runtime/kelpbas.h"

namespace corvena::qm18800 {

namespace {

using C = forms::ControlClass;
using forms::ControlDesc;

ControlDesc label(const char* name, const char* caption, const char* parent = "frmSelect") {
  return {.cls = C::Label, .name = name, .caption = caption, .parent = parent};
}

ControlDesc selection(const char* name, const char* field, std::size_t width, const char* pv) {
  return {.cls = C::MaskedText, .name = name, .fieldname = field, .level = "0",
          .mask = std::string(width, 'X'), .pv = pv, .enabled = false, .parent = "frmSelect"};
}

ControlDesc result(C cls, const char* name, const char* field, const char* heading) {
  return {.cls = cls, .name = name, .fieldname = field, .level = "1", .enabled = false,
          .heading = heading, .parent = "spread1"};
}

std::vector<ControlDesc> selectionControls() {
  std::vector<ControlDesc> c{
      {.cls = C::Update, .name = "Update1", .levels = "Select;N,Docs;DA"},
      {.cls = C::Frame, .name = "frmSelect", .caption = "Search"},
      {.cls = C::OptionGroup, .name = "optSearchType", .fieldname = "bxheader.searchtype",
       .level = "0", .defaultValue = "C",
       .list = "C;NA Customer Application History,I;Invoice Payment History,"
               "S;Corvena AR Check History",
       .parent = "frmSelect"},
      label("lInvoiceNbr", "Invoice Nbr:"),
      selection("cInvcNbr", "bxheader.invoicenbr", 15, "XNAREFNBR_ALL"),
      label("lCustomer", "Customer:"),
      selection("cCustomer", "bxheader.custid", 10, "customer_all"),
      label("lCheck", "Check/Doc Nbr:"),
      selection("cCheckNbr", "bxheader.checknbr", 10,
                R"("xnachknbr_all", "bxheader.custid"; 0; 0; 0; 0,)"),
      label("lCustomer2", "Customer:"),
      selection("cCustomer2", "bxheader.custid2", 10, "customer_all"),
      label("lCheck2", "Check Nbr:"),
      selection("cCheckNbr2", "bxheader.checknbr2", 10,
                R"("xnacorchknbr_all", "bxheader.custid2"; 0; 0; 0; 0,)"),
      {.cls = C::Button, .name = "cmdRefresh", .caption = "&Refresh", .parent = "frmSelect"},
      {.cls = C::Button, .name = "cmdVoucher", .caption = "Voucher Details...",
       .parent = "frmSelect"},
  };
  for (const char* on : {"cCustomer", "cCheckNbr"})
    for (auto& d : c)
      if (d.name == on) d.enabled = true;
  return c;
}

// What each result is called in the grid's form view (F4).
constexpr std::pair<const char*, const char*> kFormViewLabels[] = {
    {"lNABatType", "NA Batch Type:"},      {"lNABatch", "NA Batch #:"},
    {"lCorCheckNbr", "Cor Check #"},       {"lCpnyID", "Cpny ID:"},
    {"lBatStatus", "NA Status:"},          {"lApplAmt", "Applied Amt:"},
    {"lApplyCustID", "CustID Applied To:"}, {"lApplyBatch", "Cor Appl Batch:"},
    {"lApplInvoice", "Invoice Applied To:"}, {"lDocDate", "Application Date:"},
    {"lChkAmt", "Doc Amount:"},            {"lCustID", "Doc CustID:"},
    {"lNACheckNbr", "NA Check #:"},        {"lRevBatch", "Reversal Batch:"}};

std::vector<ControlDesc> resultControls() {
  std::vector<ControlDesc> labels;
  for (const auto& [name, caption] : kFormViewLabels) {
    labels.push_back(label(name, caption, "frmDetail"));
    labels.back().visible = false;
  }
  std::vector<ControlDesc> c{
      {.cls = C::Frame, .name = "frmDetail", .caption = "Detail (F4 - for grid/form view)"},
      {.cls = C::Grid, .name = "spread1", .level = "1", .parent = "frmDetail"},
      result(C::Combo, "cNABatType", "bxnaheader.vond1", "NA Bat Type"),
      result(C::MaskedText, "cNABatch", "bxnaheader.nabatnbr", "NA Batch #"),
      result(C::MaskedText, "cCorCheckNbr", "bxnadetail.arrefnbr", "Cor Check#"),
      result(C::MaskedText, "cCpnyID", "bxnadetail.cpnyid", "CpnyID"),
      result(C::MaskedText, "cBatStatus", "bxnaheader.status", "NA Status"),
      result(C::Float, "cApplAmt", "bxnadetail.curyapplamt", "Appl Amt"),
      result(C::MaskedText, "cApplyCustID", "bxnadetail.custid", "Appl CustID"),
      result(C::MaskedText, "cApplyBatch", "bxnaheader.arbatnbr", "Appl Batch"),
      result(C::MaskedText, "cApplInvoice", "bxnadetail.refnbr", "Appl Invc"),
      result(C::Date, "cDocDate", "bxnaheader.docdate", "Appl Date"),
      result(C::Float, "cChkAmt", "bxnaheader.origdocamt", "Doc Amt"),
      result(C::MaskedText, "cCustID", "bxnaheader.custid", "Doc CustID"),
      result(C::MaskedText, "cNACheckNbr", "bxnaheader.refnbr", "NA Check #"),
      // A reversed batch (status "V") names the AR batch of its reversal.
      result(C::MaskedText, "cRevBatch", "bxnaheader.revbatnbr", "Rev Batch"),
      label("Label1",
            "** The results of your query reflect activity that has been processed using National "
            "Accounts Payment Application. If you have manually applied documents using the "
            "standard Payment Application screen they will not display on this screen. ",
            "frmDetail"),
  };
  c[2].list = "NP;New Payment,CM;Credit Memo,PA;Payment,PP;Prepayment";
  for (int i : {7, 12}) {
    c[i].min = -9999999999.99;
    c[i].max = 9999999999.99;
  }
  c[13].mask = std::string(15, 'X');
  c[13].fieldclass = 3;
  c.insert(c.begin() + 1, labels.begin(), labels.end());
  return c;
}

}  // namespace

forms::FormDesc QM18800Form() {
  forms::FormDesc d{.name = "Form1", .caption = Caption};
  for (auto part : {selectionControls(), resultControls(), runtime::customisationArrays()})
    d.controls.insert(d.controls.end(), part.begin(), part.end());
  return d;
}

}  // namespace corvena::qm18800
