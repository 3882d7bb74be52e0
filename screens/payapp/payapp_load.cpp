#include "screens/payapp/payapp_load.h"

#include "runtime/kelpbas.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

void bindBuffers(PayApp& a) {
  SetAddr(0, "bXNAHeader", a.bXNAHeader, a.nXNAHeader, sizeof a.bXNAHeader);
  SetAddr(1, "bXDetail", a.bXDetail, a.nXDetail, sizeof a.bXDetail);
  SetAddr(15, "bARSetup", a.bARSetup, a.nARSetup, sizeof a.bARSetup);
  SetAddr(15, "bXHeader", a.bXHeader, a.nXHeader, sizeof a.bXHeader);
  SetAddr(15, "bARDoc", a.bARDoc, a.nARDoc, sizeof a.bARDoc);
  SetAddr(15, "bPCSetup", a.bPCSetup, a.nPCSetup, sizeof a.bPCSetup);
  SetAddr(15, "bPJContrl", a.bPJContrl, a.nPJContrl, sizeof a.bPJContrl);
}

void openCursors(PayApp& a) {
  SqlCursorEx(a.CSR_XNAHEADER, 0, "CSR_XNAHEADER", "XNAHeader", "XNAHeader");
  SqlCursorEx(a.CSR_XDETAIL, 1, "CSR_XDETAIL", "XDetail", "XDetail");
  SqlCursorEx(a.CSR_XNASETUP, 271, "CSR_XNASETUP", "XNASETUP", "XNASETUP");
  SqlCursorEx(a.csr_customer, 271, "csr_customer", "customer", "customer");
  SqlCursorEx(a.CSR_ARDOC, 15, "CSR_ARDOC", "ardoc", "ardoc");
  SqlCursorEx(a.CSR_XNADETAIL, 15, "CSR_XNADETAIL", "XNADetail", "XNADetail");
  SqlCursorEx(a.CSR_XNADETAIL_L, 271, "CSR_XNADETAIL_L", "XNADetail", "XNADetail");
  SqlCursorEx(a.CSR_XNADETAIL_D, 15, "CSR_XNADETAIL_D", "XNADetail", "XNADetail");
  SqlCursorEx(a.CSR_ARSETUP, 271, "CSR_ARSETUP", "ARSetup", "ARSetup");
  SqlCursorEx(a.CSR_work, 15, "CSR_work", "ARTRAN", "ARTRAN");
  SqlCursorEx(a.CSR_ARDocWork, 271, "CSR_ARDocWork", "ARDoc", "ARDoc");
  SqlCursorEx(a.CSR_XNAHEADERWork, 271, "CSR_XNAHEADERWork", "XNAHeader", "XNAHeader");
  SqlCursorEx(a.CSR_GLSETUP, 271, "CSR_GLSETUP", "GLSetup", "GLSetup");
  SqlCursorEx(a.CSR_PCSetup, 15, "CSR_PCSetup", "pcsetup", "pcsetup");
  SqlCursorEx(a.CSR_PJContrl, 15, "CSR_PJContrl", "pjcontrl", "pjcontrl");
}

// The control data of a "PA" project control row, or nothing when there is none.
bool readProjectControl(PayApp& a, std::string_view code) {
  return SqlFetch1(a.CSR_PJContrl, "PJCONTRL_SPK0 " + SParm("PA") + SParm(code), a.bPJContrl,
                   sizeof a.bPJContrl) != NotFound;
}

void initialRecords(PayApp& a) {
  SqlFetch1(a.CSR_XNADETAIL, "select * from XNADetail where 1 = 2", a.bXNADetail,
            sizeof a.bXNADetail);
  SqlFetch1(a.CSR_XNAHEADER, "select * from xnaheader where 1 = 2", a.bXNAHeader,
            sizeof a.bXNAHeader);
  SqlFetch1(a.CSR_ARSETUP, "arsetup_all", a.bARSetup, sizeof a.bARSetup);
  SqlFetch1(a.CSR_GLSETUP, "glsetup_all", a.bGLSetup, sizeof a.bGLSetup);
  SqlFetch1(a.CSR_XNASETUP, "select * from xnasetup", a.bXNASetup, sizeof a.bXNASetup);
  a.bXNAHeader.PerPost = a.bARSetup.CurrPerNbr.view();
  a.bXHeader.SortOrder = a.bARSetup.PASortDflt.view();
}

}  // namespace

void ReadProjectDefaults() {
  auto& a = payapp();
  const bool found = SqlFetch1(a.CSR_PCSetup, "PCSetup_All", a.bPCSetup, sizeof a.bPCSetup) == 0;
  a.ProjectController = found && a.bPCSetup.S4Future == "S";
  if (!a.ProjectController) return;
  const std::string_view data = a.bPJContrl.control_data.view();
  a.DefaultProject =
      readProjectControl(a, "NO-POST-PROJECT") ? std::string(data.substr(0, 32)) : "";
  if (readProjectControl(a, "DEFAULT-TASK")) {
    a.DefaultTask = data.substr(0, 32);
    a.DefaultTaskRest = data.substr(32);
  } else {
    a.DefaultTask.clear();
    a.DefaultTaskRest.clear();
  }
}

void Form1_Load() {
  auto& a = payapp();
  runtime::RuntimeInit();
  bindBuffers(a);
  openCursors(a);
  runtime::ScreenInit();
  AutoNbrDefault(a.cNABatNbr, "XNAPaymentAutoNbr", a.cNABatNbrD, runtime::NoControl);
  ReadProjectDefaults();
  a.DetailLines =
      detailsetup(a.CSR_XDETAIL, a.Spread1, runtime::NoControl, a.bXDetail, sizeof a.bXDetail);
  LockGridLines();
  initialRecords(a);
  DispFields(a.Form1, a.Update1, a.Update1);
  SetProps(a.Form1, a.cCMRefNbr, a.cCMRefNbr, "enabled", false);
}

void Form1_Unload() {
  std::string text1;
  std::string text2;
  runtime::ScreenExit(text1, text2);
}

}  // namespace corvena::payapp
