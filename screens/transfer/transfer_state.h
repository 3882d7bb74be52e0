#pragma once
// What the transfer screen keeps for its whole run: the bound records with
// their null images, the cursors, the two line arrays, the no-post project,
// the host screens of the release and of Apply, and both forms' controls. One
// instance per screen session; handlers reach it through transfer().

#include <memory>
#include <string>

#include "platform/forms/session.h"
#include "runtime/host/kelpapi.h"
#include "runtime/host_screen.h"
#include "runtime/tables/records.h"
#include "screens/transfer/transfer_records.h"

namespace corvena::transfer {

using host::Control;
using host::Cursor;
using host::Form;
using host::LineArrayHandle;

struct Transfer {
  // Bound records (SetAddr), each with its null image.
  XNATranHdr bXNATranHdr{}, nXNATranHdr{};
  XNATranDet bXNATranDet{}, nXNATranDet{};
  XNATranDLn bXNATranDLn{}, nXNATranDLn{};
  XNACustS bXNACustS{}, nXNACustS{};
  XHeader bXHeader{}, nXHeader{};
  ARDoc bARDoc{}, nARDoc{};
  ARTran bARTran{}, nARTran{};
  Company bCompany{}, nCompany{};
  Customer bCustomer{}, nCustomer{};
  PCSetup bPCSetup{}, nPCSetup{};
  PJContrl bPJCONTRL{}, nPJCONTRL{};
  PJ_Account bPJ_ACCOUNT{}, nPJ_ACCOUNT{};
  PJProj bPJProj{}, nPJProj{};
  GLSetup bGLSetup{}, nGLSetup{};

  // The release's work rows: a destination (with its blank copy) and one of its lines.
  XNATranDet bDestWork{}, nDestWork{};
  XNATranDLn bLineWork{};
  XNASetup bXNASetup{};

  // Cursors, by the names they are opened with.
  Cursor CSR_XNATRANHDR, CSR_XNATRANDET, CSR_XNATRANDLn, csr_xnacusts, csr_ardoc, csr_artran,
      csr_xnatrandetwork, csr_company, csr_customer, csr_pcsetup, csr_pjcontrl, csr_pj_account,
      csr_pjproj, csr_glsetup;
  // Opened on first use: the release's line reads and its statements.
  Cursor csr_linework, csr_update;

  // The destinations (level 1) and the current destination's lines (level 2).
  LineArrayHandle DestLines = nullptr;
  LineArrayHandle DetailLines = nullptr;

  // The project the host's document header takes when it asks for one.
  std::string NoPostProject;
  // The host screens of the release and of Apply, while they are driven.
  std::unique_ptr<runtime::HostScreen> ReleaseScreen, ApplyScreen;

  // The main form and its controls.
  Form* Form1 = nullptr;
  Control *Update1 = nullptr, *cNATrBatNbr = nullptr, *cStatus = nullptr, *cCpnyId = nullptr,
          *cSrcCustId = nullptr, *cPrimaryCustID = nullptr, *cSrcRefNbr = nullptr,
          *cSrcAmt = nullptr, *cBatchHandling = nullptr, *cLineTotal = nullptr,
          *cARBatNbr = nullptr, *cARDMRefNbr = nullptr, *Spread1 = nullptr,
          *cDestCustID = nullptr, *cDestAmt = nullptr, *cCpnyId1 = nullptr, *cARRefNbr = nullptr,
          *cNATrBatNbrD = nullptr, *cmdApply = nullptr, *cmdDetailLines = nullptr;
  // The detail-lines form and its controls.
  Form* frmDetailLines = nullptr;
  Control *Spread2 = nullptr, *cNATrBatNbr_2 = nullptr, *cCpnyID_2 = nullptr, *cAcct_2 = nullptr,
          *cSub_2 = nullptr, *cProjectID_2 = nullptr, *cTaskID_2 = nullptr, *cQty_2 = nullptr,
          *cUnitPrice_2 = nullptr, *cTranAmt_2 = nullptr, *cEnteredTotal = nullptr,
          *cDetTotal = nullptr, *cmdOK = nullptr, *cmdCancel = nullptr, *lDestination = nullptr;

  // Looks every control up on the loaded forms.
  void bindControls(Form& form);
  void bindDetailControls(Form& form);
};

// A fresh state for the session's screen, replacing any earlier one.
Transfer& createTransfer(forms::Session& session);
// The state of the current session's screen; throws RuntimeError when it has none.
Transfer& transfer();

}  // namespace corvena::transfer
