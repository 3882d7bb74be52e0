#include "screens/transfer/transfer_form.h"

#include <string>
#include <utility>
#include <vector>

namespace corvena::transfer {

namespace {

using forms::ControlClass;
using forms::ControlDesc;

constexpr const char* kRefList = R"("XArdocCM_CustID_RefNbr", "bXNATranHdr.SrcCustID"; 0; 0; 0; 0,)";
constexpr double kMaxAmount = 999999999.99;

ControlDesc header(ControlClass cls, const char* name, const char* fieldname, const char* heading,
                   std::string mask = {}) {
  return {.cls = cls,
          .name = name,
          .fieldname = fieldname,
          .mask = std::move(mask),
          .heading = heading,
          .parent = "frmNAHeader"};
}

ControlDesc readOnly(ControlDesc c) {
  c.enabled = false;
  return c;
}

std::vector<ControlDesc> headerControls() {
  using enum ControlClass;
  std::vector<ControlDesc> c{
      {.cls = Update, .name = "Update1", .levels = "Header;N,Detail;DA,Detail2;DA"},
      {.cls = Frame, .name = "frmNAHeader", .caption = "Batch"},
      header(MaskedText, "cNATrBatNbr", "bXNATranHdr.NATrBatNbr", "Batch Number", "UUUUUUUUUU"),
      readOnly(header(Combo, "cStatus", "bxnatranhdr.status", "Status")),
      readOnly(header(MaskedText, "cCpnyId", "bxnatranhdr.CpnyId", "Company Id", "XXXXXXXXXX")),
      header(MaskedText, "cSrcCustId", "bXNATranHdr.SrcCustid", "Customer Id",
             std::string(15, 'X')),
      readOnly(header(MaskedText, "cPrimaryCustID", "bXNATranHdr.PrimaryCustID", "Customer Id",
                      std::string(15, 'X'))),
      header(MaskedText, "cSrcRefNbr", "bxnatranhdr.srcrefnbr", "Ref Nbr", "XXXXXXXXXX"),
      readOnly(header(Float, "cSrcAmt", "bxnatranhdr.srcamt", "Source Amount")),
      header(Combo, "cBatchHandling", "bxheader.batchhandling; 8; 0; 1", "Batch Handling"),
      readOnly(header(Float, "cLineTotal", "bxheader.linetotal; 0; 2; 8", "Line Total")),
      readOnly(header(MaskedText, "cARBatNbr", "bxnatranhdr.arbatnbr", "Ref Nbr", "XXXXXXXXXX")),
      readOnly(
          header(MaskedText, "cARDMRefNbr", "bxnatranhdr.ardmrefnbr", "Ref Nbr", "XXXXXXXXXX")),
  };
  c[2].level = "0,k";
  c[2].pv = c[2].dbnav = "XNATranHdr_all";
  c[3].list = "O;Open,P;Partially Released,C;Closed";
  c[3].defaultValue = "O";
  c[4].defaultValue = "bpes.cpnyid";
  c[4].blankerr = true;
  c[5].pv = "Customer_Active";
  c[5].blankerr = true;
  c[7].pv = R"("XArdocCMPA_CustID_RefNbr", "bXNATranHdr.SrcCustID"; 0; 0; 0; 0,)";
  c[7].blankerr = true;
  c[9].list = "H;Hold,R;Release Now,N;No Action";
  c[9].defaultValue = "H";
  c[10].trigger = "bXNATranDet.DestAmt;c;i";
  c[8].keptInView = c[10].keptInView = true;
  c[11].pv = c[12].pv = kRefList;
  return c;
}

// Each stands beside the field of the same name ("lStatus" by "cStatus").
std::vector<ControlDesc> labels(const char* parent,
                                std::initializer_list<std::pair<const char*, const char*>> all) {
  std::vector<ControlDesc> c;
  for (const auto& [name, caption] : all)
    c.push_back({.cls = ControlClass::Label, .name = name, .caption = caption, .parent = parent});
  return c;
}

std::vector<ControlDesc> headerLabels() {
  return labels("frmNAHeader", {{"lNATrBatNbr", "NA Batch Number:"},
                                {"lStatus", "Status:"},
                                {"lCpnyId", "Company ID:"},
                                {"lSrcCustId", "Customer ID:"},
                                {"lPrimaryCustID", "Parent ID:"},
                                {"lSrcRefNbr", "Ref Nbr:"},
                                {"lSrcAmt", "Source Amount:"},
                                {"lBatchHandling", "Batch Handling:"},
                                {"lLineTotal", "Line Total:"},
                                {"lARBatNbr", "Batch:"},
                                {"lARDMRefNbr", "DM Ref Nbr:"}});
}

ControlDesc column(ControlClass cls, const char* grid, const char* name, const char* fieldname,
                   const char* heading, std::string mask = {}) {
  return {.cls = cls,
          .name = name,
          .fieldname = fieldname,
          .level = grid == std::string("Spread1") ? "1" : "2",
          .mask = std::move(mask),
          .heading = heading,
          .parent = grid};
}

ControlDesc amount(ControlDesc c) {
  c.min = -kMaxAmount;
  c.max = kMaxAmount;
  return c;
}

std::vector<ControlDesc> destinationControls() {
  using enum ControlClass;
  std::vector<ControlDesc> c{
      {.cls = Frame, .name = "frmNADetail", .caption = "Destination Customers"},
      {.cls = Grid,
       .name = "Spread1",
       .level = "1",
       .dbnav = R"("XNATranDet_All", "bXNATranHdr.NATrBatNbr"; 0; 0; 0; 0, )"
                R"("bXNATranDet.DestCustID"; 0; 0; 0; 1,)",
       .parent = "frmNADetail"},
      column(MaskedText, "Spread1", "cDestCustID", "bXNATranDet.DestCustID", "Customer ID",
             std::string(15, 'X')),
      amount(column(Float, "Spread1", "cDestAmt", "bxNATranDet.DestAmt", "Amount")),
      readOnly(column(MaskedText, "Spread1", "cCpnyId1", "bXNATranDet.cpnyid", "Company Id",
                      "XXXXXXXXXX")),
      readOnly(column(MaskedText, "Spread1", "cARRefNbr", "bxnatrandet.arrefnbr", "CM Ref Nbr",
                      "XXXXXXXXXX")),
      column(MaskedText, "Spread1", "cNATrBatNbrD", "bxNATranDet.NATrBatNbr", "", "XXXXXXXXXX"),
      {.cls = Button, .name = "cmdApply", .caption = "&Apply", .parent = "frmNADetail"},
      {.cls = Button, .name = "cmdDetailLines", .caption = "&Line Detail", .parent = "frmNADetail"},
  };
  c[2].level = "1,k";
  c[2].pv = R"("XNACustS_Primary", "bxnatranhdr.primarycustid"; 0; 0; 0; 0,)";
  c[2].blankerr = true;
  c[4].defaultValue = "bpes.cpnyid";
  c[4].blankerr = true;
  c[5].pv = kRefList;
  // The batch number the framework's numbering copies in: the screen's own, never typed.
  c[6].visible = false;
  return c;
}

std::vector<ControlDesc> lineControls() {
  using enum ControlClass;
  constexpr const char* g = "Spread2";
  std::vector<ControlDesc> c{
      {.cls = Frame, .name = "frmLines", .caption = "Destination Line Items"},
      {.cls = Grid,
       .name = "Spread2",
       .level = "2",
       .dbnav = R"("XNATranDLn_All", "bXNATranHdr.NATrBatNbr"; 0; 0; 0; 0, )"
                R"("bxnatrandet.destcustid"; 0; 0; 0; 0, "bxnatrandln.LineNbr"; 0; 0; 0; 1,)",
       .parent = "frmLines"},
      column(MaskedText, g, "cNATrBatNbr_2", "bXNATranDLn.NATrBatNbr", "", "XXXXXXXXXX"),
      column(MaskedText, g, "cCpnyID_2", "bXNATranDLn.cpnyid", "Company Id", "UUUUUUUUUU"),
      column(MaskedText, g, "cAcct_2", "bXNATranDLn.Acct", "Acct", "UUUUUUUUUU"),
      // Any subaccount the look-up lists, whatever its segments' separators.
      column(MaskedText, g, "cSub_2", "bXNATranDLn.Sub", "Sub"),
      amount(column(Float, g, "cQty_2", "bXNATranDLn.qty", "Quantity")),
      amount(column(Float, g, "cUnitPrice_2", "bXNATranDLn.UnitPrice", "Unit Price")),
      amount(column(Float, g, "cTranAmt_2", "bXNATranDLn.TranAmt", "Amount")),
      column(MaskedText, g, "cUnitDesc_2", "bXNATranDLn.unitdesc", "Unit Desc",
             std::string(6, 'X')),
      column(MaskedText, g, "cTranDesc_2", "bXNATranDLn.TranDesc", "Description",
             std::string(30, 'X')),
      // Project and task IDs carry separators ("STORE-REFIT"), upper-cased as typed.
      column(MaskedText, g, "cProjectID_2", "bXNATranDLn.ProjectID", "Project",
             std::string(16, '!')),
      column(MaskedText, g, "cTaskID_2", "bXNATranDLn.TaskID", "Task", std::string(32, '!')),
      column(MaskedText, g, "cExtRefNbr_2", "bXNATranDLn.ExtRefNbr", "External Ref Nbr",
             std::string(15, 'X')),
      column(MaskedText, g, "cTaxCat_2", "bXNATranDLn.TaxCat", "Tax Cat", "UUUUUUUUUU"),
      column(MaskedText, g, "cTaxIDDflt_2", "bXNATranDLn.TaxIDDflt", "Tax ID",
             std::string(10, 'X')),
  };
  c[2].level = "2,k";
  c[2].visible = false;
  c[3].defaultValue = "bpes.cpnyid";
  c[3].pv = R"("intercpny_cpnyid_module1", "bxnatrandet.cpnyid"; 0; 0; 0; 0, "%"; 0; 0; 0; 0, )"
            R"("08010"; 0; 0; 0; 0, "AR"; 0; 0; 0; 0, "bxnatrandet.cpnyid"; 0; 0; 0; 0,)";
  // The source's own line account: the debit memo repeating the source and the
  // credit memos then net out everywhere but in AR.
  c[4].defaultValue = "bARTran.Acct";
  c[4].pv = R"("acctxref_acct", "bcompany.cpnycoa"; 0; 0; 0; 0,)";
  c[5].defaultValue = "bARTran.Sub";
  c[5].pv = R"("subxref_sub", "bcompany.cpnysub"; 0; 0; 0; 0,)";
  // Required line by line where the line's account is a project account (at save).
  c[11].pv = "pjproj_spk5";
  c[12].pv = R"("pjpent_spk5", "bxnatrandln.projectid"; 0; 0; 0; 0,)";
  c[10].defaultValue = "bCustomer.Name";
  c[14].pv = "slstaxcat_all";
  c[15].pv = "SalesTax_All";
  for (int i : {3, 4, 5}) c[i].blankerr = true;
  return c;
}

std::vector<ControlDesc> totalControls() {
  using enum ControlClass;
  std::vector<ControlDesc> c = labels("frmTotals", {{"lEnteredTotal", "Total:"},
                                                    {"lDetTotal", "Line Total:"}});
  c.insert(c.begin(), {.cls = Frame, .name = "frmTotals", .caption = "Totals"});
  // Whose lines these are: the screen names the destination as it opens the form.
  c.insert(c.begin() + 1, {.cls = Label, .name = "lDestination", .parent = "frmTotals"});
  c.push_back(readOnly({.cls = Float,
                        .name = "cEnteredTotal",
                        .fieldname = "bXHeader.EnteredTotal; 20; 2; 8",
                        .level = "0",
                        .parent = "frmTotals"}));
  c.push_back(readOnly({.cls = Float,
                        .name = "cDetTotal",
                        .fieldname = "bXHeader.DetTotal; 12; 2; 8",
                        .level = "0",
                        .parent = "frmTotals"}));
  c.push_back({.cls = Button, .name = "cmdOK", .caption = "&OK", .parent = "frmTotals"});
  c.push_back({.cls = Button, .name = "cmdCancel", .caption = "&Cancel", .parent = "frmTotals"});
  return c;
}

forms::FormDesc assemble(const char* name, const char* caption,
                         std::initializer_list<std::vector<ControlDesc>> parts) {
  forms::FormDesc d{.name = name, .caption = caption};
  for (const auto& part : parts) d.controls.insert(d.controls.end(), part.begin(), part.end());
  return d;
}

}  // namespace

const forms::FormDesc& Form1Desc() {
  static const forms::FormDesc desc =
      assemble("Form1", "National Account Transfer Credit Memo/Payment (QM.189.00)",
               {headerControls(), headerLabels(), destinationControls()});
  return desc;
}

const forms::FormDesc& DetailLinesDesc() {
  static const forms::FormDesc desc =
      assemble("frmDetailLines", "Detail Lines (QM.189.01)", {totalControls(), lineControls()});
  return desc;
}

}  // namespace corvena::transfer
