#include "screens/payapp/payapp_form.h"

#include <utility>
#include <vector>

namespace corvena::payapp {

namespace {

using forms::ControlClass;
using forms::ControlDesc;

constexpr const char* kBatchNav = R"("xNAHeader_all", "bpes.cpnyid"; 0; 0; 0; 0,)";
constexpr const char* kTypeList = "NP;New Payment,CM;Credit Memo,PA;Payment,PP;Prepayment";
constexpr double kMaxPayment = 9999999999.99;
constexpr double kMaxLineAmount = 999999999999.99;

std::vector<ControlDesc> headerControls() {
  return {
      {.cls = ControlClass::Update, .name = "Update1", .levels = "Header;N,Detail;DA"},
      {.cls = ControlClass::Frame, .name = "frmNAHeader", .caption = "Batch"},
      {.cls = ControlClass::MaskedText,
       .name = "cNABatNbr",
       .fieldname = "bXnaheader.NABatNBr",
       .level = "0,k",
       .mask = "9999999999",
       .pv = kBatchNav,
       .dbnav = kBatchNav,
       .heading = "Batch Number",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::MaskedText,
       .name = "cCpnyId",
       .fieldname = "bxnaheader.CpnyId",
       .blankerr = true,
       .defaultValue = "bpes.cpnyid",
       .enabled = false,
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Combo,
       .name = "cStatus",
       .fieldname = "bxnaheader.status",
       .defaultValue = "O",
       .enabled = false,
       .list = "O;Open,P;Partially Released,C;Closed,V;Reversed",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::MaskedText,
       .name = "cCustId",
       .fieldname = "bXNAHeader.custid",
       .mask = std::string(15, 'X'),
       .pv = "XNACustomerList",
       .blankerr = true,
       .heading = "Customer Id",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Combo,
       .name = "cType",
       .fieldname = "bxnaheader.vond1",
       .defaultValue = "NP",
       .list = kTypeList,
       .parent = "frmNAHeader"},
      {.cls = ControlClass::MaskedText,
       .name = "cCMRefNbr",
       .fieldname = "bxnaheader.vond2",
       .mask = std::string(10, 'X'),
       .heading = "Ref Nbr",
       .caption = "Ref Nbr to Apply:",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::MaskedText,
       .name = "cNARefNbr",
       .fieldname = "bxnaheader.refnbr",
       .mask = "UUUUUUUUUU",
       .blankerr = true,
       .heading = "Ref Nbr",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Date,
       .name = "cDocDate",
       .fieldname = "bxnaheader.docdate",
       .defaultValue = "bpes.today",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::MaskedText,
       .name = "cPerPost",
       .fieldname = "bxnaheader.perpost",
       .blankerr = true,
       .period = true,
       .defaultValue = "barsetup.currpernbr",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Float,
       .name = "cOrigDocAmt",
       .fieldname = "bxnaheader.origdocamt",
       .heading = "Payment Amount",
       .min = 0.0,
       .max = kMaxPayment,
       .parent = "frmNAHeader",
       .keptInView = true},
      {.cls = ControlClass::Combo,
       .name = "cBatchHandling",
       .fieldname = "bxheader.batchhandling; 8; 0; 1",
       .defaultValue = "H",
       .list = "H;Hold,R;Release Now,N;No Action",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Float,
       .name = "CApplyTotal",
       .fieldname = "bxheader.ApplyTotal; 0; 2; 8",
       .enabled = false,
       .trigger = "bXdetail.CuryApplAmt;c;i",
       .parent = "frmNAHeader",
       .keptInView = true},
      {.cls = ControlClass::Float,
       .name = "cDiscTotal",
       .fieldname = "bxheader.DiscTotal; 24; 2; 8",
       .enabled = false,
       .trigger = "bXdetail.DiscAmt;c;i",
       .parent = "frmNAHeader",
       .keptInView = true},
      {.cls = ControlClass::Float,
       .name = "cUnappliedAmt",
       .fieldname = "bxheader.UnAppliedAmt; 12; 2; 8",
       .enabled = false,
       .parent = "frmNAHeader",
       .keptInView = true},
      {.cls = ControlClass::Label, .name = "lName", .parent = "frmNAHeader"},
      {.cls = ControlClass::Label, .name = "lPhone", .parent = "frmNAHeader"},
      {.cls = ControlClass::Label, .name = "lFromCust", .parent = "frmNAHeader"},
      {.cls = ControlClass::Button,
       .name = "cmdImport",
       .caption = "Import Remittance...",
       .parent = "frmNAHeader"},
      {.cls = ControlClass::Button,
       .name = "cmdReverse",
       .enabled = false,
       .caption = "Reverse Batch...",
       .parent = "frmNAHeader"},
  };
}

// Each stands beside the header field of the same name ("lType" by "cType").
std::vector<ControlDesc> headerLabels() {
  const std::pair<const char*, const char*> labels[] = {
      {"lCpnyId", "Company ID:"},
      {"lStatus", "Status:"},
      {"lType", "Type:"},
      {"lCMRefNbr", "Ref Nbr to Apply:"},
      {"lNARefNbr", "Ref Nbr:"},
      {"lDocDate", "Doc Date:"},
      {"lPerPost", "Period to Post:"},
      {"lOrigDocAmt", "Payment Amount:"},
      {"lBatchHandling", "Batch Handling:"},
      {"lApplyTotal", "Apply Total:"},
      {"lDiscTotal", "Discount Total:"},
      {"lUnappliedAmt", "Unapplied Amount:"},
  };
  std::vector<ControlDesc> c;
  for (const auto& [name, caption] : labels)
    c.push_back(
        {.cls = ControlClass::Label, .name = name, .caption = caption, .parent = "frmNAHeader"});
  return c;
}

// One option per sort order, all bound to the header's sort order.
ControlDesc sortOption(const char* name, const char* value, const char* caption) {
  return {.cls = ControlClass::OptionGroup,
          .name = name,
          .fieldname = "bxheader.sortorder; 20; 0; 1",
          .level = "0",
          .caption = caption,
          .list = std::string(value) + ";" + caption,
          .parent = "Frame1"};
}

std::vector<ControlDesc> sortControls() {
  std::vector<ControlDesc> c{
      {.cls = ControlClass::Frame, .name = "Frame1", .caption = "Customer Sort Order"},
      sortOption("cSortOrder", "D", "By Cust/Due Date"),
      sortOption("cSortOrder2", "R", "By Cust/RefNbr"),
      sortOption("cSortOrder3", "T", "By Cust/Doc Type"),
      sortOption("cSortOrder4", "A", "By Due Date"),
      sortOption("cSortOrder5", "F", "By RefNbr"),
      sortOption("cSortOrder6", "C", "By Doc Type"),
  };
  c[1].defaultValue = "barsetup.pasortdflt";
  return c;
}

// A display-only grid column unless stated otherwise.
ControlDesc column(ControlClass cls, const char* name, const char* fieldname, const char* heading) {
  return {.cls = cls,
          .name = name,
          .fieldname = fieldname,
          .level = "1",
          .enabled = false,
          .heading = heading,
          .parent = "Spread1"};
}

ControlDesc amountColumn(const char* name, const char* fieldname, const char* heading) {
  ControlDesc c = column(ControlClass::Float, name, fieldname, heading);
  c.enabled = true;
  c.min = 0.0;
  c.max = kMaxLineAmount;
  return c;
}

std::vector<ControlDesc> detailControls() {
  using enum ControlClass;
  std::vector<ControlDesc> c{
      {.cls = Frame,
       .name = "frmNADetail",
       .caption = "All Open Documents for Parent and its Child Customers"},
      {.cls = Grid, .name = "Spread1", .level = "1", .parent = "frmNADetail"},
      {.cls = Button, .name = "cbAutoApply", .caption = "&Pay Document", .parent = "frmNADetail"},
      column(MaskedText, "cCustid1", "bXdetail.custid; 104; 0; 15", "Customer ID"),
      column(MaskedText, "cCustName1", "bXdetail.custname", "Customer Name"),
      column(MaskedText, "cCpnyId1", "bXdetail.cpnyid; 20; 0; 10", "Company Id"),
      column(Combo, "cDocType", "bXDetail.DocType; 140; 0; 2", "Doc Type"),
      column(MaskedText, "cRefNbr", "bxdetail.refnbr; 216; 0; 10", "Ref Nbr"),
      column(Date, "cDocDateD", "bxdetail.docdate; 136; 3; 4", "Doc Date"),
      column(Date, "cDueDate", "bxdetail.duedate; 144; 3; 4", "Due Date"),
      column(Float, "cCuryDocBal", "bxdetail.curydocbal; 88; 2; 8", "Current Balance"),
      amountColumn("cCuryApplAmt", "bxdetail.curyapplamt; 80; 2; 8", "Apply Amount"),
      amountColumn("cDiscAmt", "bxdetail.DiscAmt; 248; 2; 8", "Cash Disc"),
      column(Float, "cTotApply", "bxdetail.TotApply; 260; 2; 8", "Apply Total"),
      column(Float, "cCuryDiscBal", "bxdetail.curydiscbal; 240; 2; 8", "Discount Balance"),
      column(Date, "cDiscDate", "bxdetail.discdate; 256; 3; 4", "Discount Date"),
      column(Float, "cNewDocBal", "bxdetail.NewDocBal; 268; 2; 8", "Balance"),
      column(MaskedText, "cNABatNbrD", "bxDetail.NABatNbr; 188; 0; 10", ""),
  };
  c[3].pv = "Customer_Active";
  c[4].mask = std::string(10, 'X');
  c[6].list = "IN;Invoice,DM;Debit Memo,FI;Finance Charge";
  c[7].level = "1,k";
  // The line's batch number is the screen's own bookkeeping, never the clerk's.
  c.back().visible = false;
  c.back().mask = std::string(10, 'X');
  return c;
}

}  // namespace

const forms::FormDesc& Form1Desc() {
  static const forms::FormDesc desc = [] {
    forms::FormDesc d{.name = "Form1",
                      .caption = "National Account Payment Application (QM.183.00)",
                      .importButton = "cmdImport"};
    for (auto part : {headerControls(), headerLabels(), sortControls(), detailControls()}) {
      d.controls.insert(d.controls.end(), part.begin(), part.end());
    }
    return d;
  }();
  return desc;
}

}  // namespace corvena::payapp
