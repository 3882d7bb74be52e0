#include "screens/transfer/transfer_lines.h"

#include "runtime/kelpbas.h"
#include "runtime/modal_forms.h"
#include "runtime/text_value.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;

namespace {

void enable(Transfer& t, Control* c, bool on) {
  SetProps(t.frmDetailLines, c, c, "enabled", on);
}

void disableTask(Transfer& t) {
  enable(t, t.cTaskID_2, false);
  t.bXNATranDLn.TaskID = "";
  DispField(t.cTaskID_2);
}

double sumOfLineAmounts(Transfer& t) {
  double total = 0;
  for (int rc = LineArrayFirst(t.DetailLines); rc != NotFound; rc = LineArrayNext(t.DetailLines))
    total = FPAdd(total, t.bXNATranDLn.TranAmt);
  LineArrayFirst(t.DetailLines);
  LineArrayRedisplay(t.DetailLines);
  return total;
}

// The line total follows the line's amount by the change of it.
void moveLineTotal(Transfer& t, double change) {
  t.bXHeader.DetTotal = FPAdd(t.bXHeader.DetTotal, change);
  DispField(t.cDetTotal);
}

void showAmount(Transfer& t, double amount) {
  const double before = t.bXNATranDLn.TranAmt;
  t.bXNATranDLn.TranAmt = amount;
  DispField(t.cTranAmt_2);
  moveLineTotal(t, t.bXNATranDLn.TranAmt - before);
}

}  // namespace

void cmdDetailLines_Click() {
  auto& t = transfer();
  if (LevelChangeGet(2) != 4) SaveAll();
  SqlFetch1(t.csr_company, "Company_All " + SParm(t.bXNATranDet.cpnyid), t.bCompany,
            sizeof t.bCompany);
  GridLoad(t.Spread2);
  t.bXHeader.EnteredTotal = t.bXNATranDet.DestAmt;
  DispField(t.cEnteredTotal);
  t.bXHeader.DetTotal = sumOfLineAmounts(t);
  DispField(t.cDetTotal);
  t.bCustomer = t.nCustomer;
  SqlFetch1(t.csr_customer, "Customer_All " + SParm(t.bXNATranDet.DestCustID), t.bCustomer,
            sizeof t.bCustomer);
  runtime::DisplayFormModal(t.frmDetailLines, true);
}

int Spread2_LineCheck(int action) {
  auto& t = transfer();
  if (action != 0) return 0;
  t.bXNATranDLn.NATrBatNbr = t.bXNATranDet.NATrBatNbr;
  t.bXNATranDLn.DetCustID = t.bXNATranDet.DestCustID;
  return 0;
}

int cAcct_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  if (SqlFetch1(t.csr_pj_account, "PJ_Account_Spk0 " + SParm(text), t.bPJ_ACCOUNT,
                sizeof t.bPJ_ACCOUNT) == NotFound) {
    enable(t, t.cProjectID_2, false);
    t.bXNATranDLn.ProjectID = "";
    DispField(t.cProjectID_2);
    disableTask(t);
    return 0;
  }
  enable(t, t.cProjectID_2, true);
  if (!t.bXNATranDLn.ProjectID.blank())
    enable(t, t.cTaskID_2, true);
  else
    disableTask(t);
  return 0;
}

int cProjectID_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  if (runtime::Trim(text).empty()) {
    disableTask(t);
    return 0;
  }
  if (PVChkFetch1(runtime::NoControl, t.csr_pjproj, text, t.bPJProj, sizeof t.bPJProj) == NotFound)
    return 0;
  enable(t, t.cTaskID_2, true);
  if (!t.bPJProj.gl_subacct.blank()) {
    t.bXNATranDLn.Sub = t.bPJProj.gl_subacct;
    DispField(t.cSub_2);
  }
  return 0;
}

int cQty_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  showAmount(t, FPMult(runtime::Val(text), t.bXNATranDLn.UnitPrice, 4));
  return 0;
}

int cUnitPrice_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  showAmount(t, FPMult(runtime::Val(text), t.bXNATranDLn.qty, 4));
  return 0;
}

int cTranAmt_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  const double entered = runtime::Val(text);
  t.bXNATranDLn.UnitPrice = t.bXNATranDLn.qty != 0 ? FPDiv(entered, t.bXNATranDLn.qty, 4) : 0;
  DispField(t.cUnitPrice_2);
  moveLineTotal(t, entered - t.bXNATranDLn.TranAmt);
  return 0;
}

void cmdOK_Click() {
  auto& t = transfer();
  t.bXNATranDet.LineTotalAmt = t.bXHeader.linetotal;
  LineArrayUpdate(t.DestLines);
  SaveAll();
  hide_form(t.frmDetailLines);
}

void cmdCancel_Click() {
  auto& t = transfer();
  hide_form(t.frmDetailLines);
  GridLoad(t.Spread2);
}

void registerDetailLineHandlers() {
  auto& t = transfer();
  t.cmdDetailLines->onClick(cmdDetailLines_Click);
  t.Spread2->onLineCheck(Spread2_LineCheck);
  t.cAcct_2->onValueCheck(cAcct_2_ValueCheck);
  t.cProjectID_2->onValueCheck(cProjectID_2_ValueCheck);
  t.cQty_2->onValueCheck(cQty_2_ValueCheck);
  t.cUnitPrice_2->onValueCheck(cUnitPrice_2_ValueCheck);
  t.cTranAmt_2->onValueCheck(cTranAmt_2_ValueCheck);
  t.cmdOK->onClick(cmdOK_Click);
  t.cmdCancel->onClick(cmdCancel_Click);
}

}  // namespace corvena::transfer
