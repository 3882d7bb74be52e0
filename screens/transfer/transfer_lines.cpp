#include "screens/transfer/transfer_lines.h"

#include <map>

#include "platform/forms/messages.h"
#include "runtime/kelpbas.h"
#include "runtime/modal_forms.h"
#include "runtime/text_value.h"
#include "screens/transfer/transfer_source.h"
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

bool isProjectAccount(Transfer& t, std::string_view account) {
  return SqlFetch1(t.csr_pj_account, "PJ_Account_Spk0 " + SParm(account), t.bPJ_ACCOUNT,
                   sizeof t.bPJ_ACCOUNT) != NotFound;
}

// Project and task follow the account of the line shown, whichever way it
// came to be shown: typed, recalled or started on its default.
void enableProjectFields(Transfer& t, bool project) {
  enable(t, t.cProjectID_2, project);
  enable(t, t.cTaskID_2, project && !t.bXNATranDLn.ProjectID.blank());
}

// A credit memo posts AR to the AR setup's account (the destination's own, for
// a host that takes it): a line of it there would move AR and leave the GL still.
bool isARAccount(Transfer& t, const std::string& account) {
  ARSetup setup{};
  SqlFetch1(t.csr_update, "select * from ARSetup", setup, sizeof setup);
  return !account.empty() &&
         (account == setup.ArAcct.trimmed() || account == t.bCustomer.ArAcct.trimmed());
}

// The first changed line whose project account leaves project or task blank:
// the field's name, or empty when every line has what its account needs.
std::string missingProjectField(Transfer& t) {
  const int position = LineArrayGetPos(t.DetailLines);
  std::string missing;
  // Lines mostly share a few accounts: each is looked up once.
  std::map<std::string, bool> projectAccounts;
  auto isProject = [&](const std::string& account) {
    const auto [known, added] = projectAccounts.try_emplace(account);
    if (added) known->second = isProjectAccount(t, account);
    return known->second;
  };
  for (int rc = LineArrayFirst(t.DetailLines); rc != NotFound && missing.empty();
       rc = LineArrayNext(t.DetailLines)) {
    const auto& l = t.bXNATranDLn;
    if (LineArrayGetState(t.DetailLines) == LineUnchanged || !isProject(l.Acct.trimmed()))
      continue;
    if (l.ProjectID.blank())
      missing = "Project";
    else if (l.TaskID.blank())
      missing = "Task";
  }
  LineArraySetPos(t.DetailLines, position);
  return missing;
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
  if (LevelChangeGet(2) != LineUnchanged) SaveAll();
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
  ReadLineDefault();
  enableProjectFields(t, isProjectAccount(t, t.bXNATranDLn.Acct.view()));
  SetCtrlProp(t.lDestination, "caption",
              "Lines of destination " + t.bXNATranDet.DestCustID.trimmed() + " " +
                  t.bCustomer.Name.trimmed());
  runtime::DisplayFormModal(t.frmDetailLines, true);
}

int Spread2_LineCheck(int action) {
  auto& t = transfer();
  if (action == forms::kLineStarting) {
    t.bXNATranDLn.NATrBatNbr = t.bXNATranDet.NATrBatNbr;
    t.bXNATranDLn.DetCustID = t.bXNATranDet.DestCustID;
  }
  if (action == forms::kLineStarting || action == forms::kLineEntered)
    enableProjectFields(t, isProjectAccount(t, t.bXNATranDLn.Acct.view()));
  return 0;
}

int cAcct_2_ValueCheck(std::string& text) {
  auto& t = transfer();
  const std::string account = Text<10>(text).trimmed();
  if (isARAccount(t, account)) {
    MessBox(account + " is the AR account of the credit memo; its lines post to another account.",
            StyleWarning, "National Accounts");
    return SilentRefusal;
  }
  const bool project = isProjectAccount(t, account);
  if (!project) {
    t.bXNATranDLn.ProjectID = "";
    DispField(t.cProjectID_2);
  }
  if (t.bXNATranDLn.ProjectID.blank()) disableTask(t);
  enableProjectFields(t, project);
  return 0;
}

int CheckLineProjects() {
  auto& t = transfer();
  const std::string missing = missingProjectField(t);
  if (missing.empty()) return 0;
  Messf(forms::kMsgFieldRequired, missing);
  return SilentRefusal;
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
