#include "screens/transfer/transfer_load.h"

#include "runtime/kelpbas.h"
#include "runtime/modal_forms.h"
#include "screens/transfer/transfer_form.h"
#include "screens/transfer/transfer_lines.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;

namespace {

void createDetailForm(Transfer& t) {
  Form& form = forms::session().loadForm(DetailLinesDesc());
  t.bindDetailControls(form);
  registerDetailLineHandlers();
  runtime::LoadSubForm(&form);
}

void bindBuffers(Transfer& t) {
  SetAddr(0, "bXNATranHdr", t.bXNATranHdr, t.nXNATranHdr, sizeof t.bXNATranHdr);
  SetAddr(1, "bXNATranDet", t.bXNATranDet, t.nXNATranDet, sizeof t.bXNATranDet);
  SetAddr(2, "bXNATranDLn", t.bXNATranDLn, t.nXNATranDLn, sizeof t.bXNATranDLn);
  SetAddr(15, "bXNACustS", t.bXNACustS, t.nXNACustS, sizeof t.bXNACustS);
  SetAddr(15, "bXHeader", t.bXHeader, t.nXHeader, sizeof t.bXHeader);
  SetAddr(15, "bARDoc", t.bARDoc, t.nARDoc, sizeof t.bARDoc);
  SetAddr(15, "bARTran", t.bARTran, t.nARTran, sizeof t.bARTran);
  SetAddr(15, "bCompany", t.bCompany, t.nCompany, sizeof t.bCompany);
  SetAddr(15, "bCustomer", t.bCustomer, t.nCustomer, sizeof t.bCustomer);
  SetAddr(15, "bPCSetup", t.bPCSetup, t.nPCSetup, sizeof t.bPCSetup);
  SetAddr(15, "bPJCONTRL", t.bPJCONTRL, t.nPJCONTRL, sizeof t.bPJCONTRL);
  SetAddr(15, "bPJ_ACCOUNT", t.bPJ_ACCOUNT, t.nPJ_ACCOUNT, sizeof t.bPJ_ACCOUNT);
  SetAddr(15, "bPJProj", t.bPJProj, t.nPJProj, sizeof t.bPJProj);
  SetAddr(15, "bGLSetup", t.bGLSetup, t.nGLSetup, sizeof t.bGLSetup);
}

void openCursors(Transfer& t) {
  SqlCursorEx(t.CSR_XNATRANHDR, 0, "CSR_XNATRANHDR", "XNATranHdr", "XNATranHdr");
  SqlCursorEx(t.CSR_XNATRANDET, 1, "CSR_XNATRANDET", "XNATranDet", "XNATranDet");
  SqlCursorEx(t.CSR_XNATRANDLn, 2, "CSR_XNATRANDLn", "XNATranDLn", "XNATranDLn");
  SqlCursorEx(t.csr_xnacusts, 271, "csr_xnacusts", "xnacusts", "xnacusts");
  SqlCursorEx(t.csr_ardoc, 271, "csr_ardoc", "ardoc", "ardoc");
  SqlCursorEx(t.csr_artran, 271, "csr_artran", "artran", "artran");
  SqlCursorEx(t.csr_xnatrandetwork, 271, "csr_xnatrandetwork", "xnatrandet", "xnatrandet");
  SqlCursorEx(t.csr_company, 16399, "csr_company", "company", "company");
  SqlCursorEx(t.csr_customer, 271, "csr_customer", "customer", "customer");
  SqlCursorEx(t.csr_pcsetup, 271, "csr_pcsetup", "pcsetup", "pcsetup");
  SqlCursorEx(t.csr_pjcontrl, 271, "csr_pjcontrl", "pjcontrl", "pjcontrl");
  SqlCursorEx(t.csr_pj_account, 271, "csr_pj_account", "pj_account", "pj_account");
  SqlCursorEx(t.csr_pjproj, 271, "csr_pjproj", "pjproj", "pjproj");
  SqlCursorEx(t.csr_glsetup, 271, "csr_glsetup", "glsetup", "glsetup");
}

// With account/subaccount validation the look-ups take the company the
// source document holds; otherwise the company's chart and subaccount format.
void chooseAccountLookups(Transfer& t) {
  if (SqlFetch1(t.csr_glsetup, "GLSetup_All", t.bGLSetup, sizeof t.bGLSetup) == NotFound) return;
  if (t.bGLSetup.ValidateAcctSub == 1) {
    SetCtrlProp(t.cAcct_2, "pv", R"("AcctSub_Acct", "bardoc.cpnyid"; 0; 0; 0; 0, "%"; 0; 127; 0; 0,)");
    SetCtrlProp(t.cSub_2, "pv", R"("AcctSub_Sub", "bardoc.cpnyid"; 0; 0; 0; 0, "%"; 0; 127; 0; 0,)");
  } else {
    SetCtrlProp(t.cAcct_2, "pv", R"("acctxref_acct", "bcompany.cpnycoa"; 0; 0; 0; 0,)");
    SetCtrlProp(t.cSub_2, "pv", R"("subxref_sub", "bcompany.cpnysub"; 0; 0; 0; 0,)");
  }
}

void readNoPostProject(Transfer& t) {
  t.NoPostProject.clear();
  if (SqlFetch1(t.csr_pcsetup, "PCSetup_All", t.bPCSetup, sizeof t.bPCSetup) == NotFound ||
      t.bPCSetup.S4Future != "S")
    return;
  if (SqlFetch1(t.csr_pjcontrl, "PJCONTRL_SPK0 " + SParm("PA") + SParm("NO-POST-PROJECT"),
                t.bPJCONTRL, sizeof t.bPJCONTRL) != NotFound)
    t.NoPostProject = t.bPJCONTRL.control_data.view().substr(0, 32);
}

}  // namespace

void Form1_Load() {
  auto& t = transfer();
  createDetailForm(t);
  runtime::RuntimeInit();
  bindBuffers(t);
  openCursors(t);
  runtime::ScreenInit();
  AutoNbrDefault(t.cNATrBatNbr, "XNATransferAutoNbr", t.cNATrBatNbrD, t.cNATrBatNbr_2);
  chooseAccountLookups(t);
  readNoPostProject(t);
  t.DestLines = detailsetup(t.CSR_XNATRANDET, t.Spread1, runtime::NoControl, t.bXNATranDet,
                            sizeof t.bXNATranDet, runtime::NoControl, 0, runtime::NoControl, 0,
                            runtime::NoControl, 0);
  t.DetailLines = detailsetup(t.CSR_XNATRANDLn, t.Spread2, t.bXNATranDLn.LineNbr, t.bXNATranDLn,
                              960, runtime::NoControl, 0, runtime::NoControl, 0,
                              runtime::NoControl, 0);
  DispFields(t.Form1, runtime::NoControl, runtime::NoControl);
}

void Form1_Unload() {
  std::string text1;
  std::string text2;
  runtime::ScreenExit(text1, text2);
}

}  // namespace corvena::transfer
