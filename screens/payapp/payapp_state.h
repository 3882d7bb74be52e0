#pragma once
// What the payment application screen keeps for its whole run: the bound
// records with their null images, the cursors, the grid's line array, the
// release's members and the form's controls. One instance per screen session;
// handlers reach it through payapp().

#include <memory>
#include <string>

#include "platform/forms/session.h"
#include "runtime/host/kelpapi.h"
#include "runtime/host_screen.h"
#include "runtime/tables/records.h"
#include "screens/payapp/payapp_records.h"

namespace corvena::payapp {

using host::Control;
using host::Cursor;
using host::Form;
using host::LineArrayHandle;

struct PayApp {
  // Bound records (SetAddr), each with its null image.
  XNAHeader bXNAHeader{}, nXNAHeader{};
  XDetail bXDetail{}, nXDetail{};
  ARSetup bARSetup{}, nARSetup{};
  XHeader bXHeader{}, nXHeader{};
  ARDoc bARDoc{}, nARDoc{};
  PCSetup bPCSetup{}, nPCSetup{};
  PJContrl bPJContrl{}, nPJContrl{};

  // Records without a buffer name.
  XNADetail bXNADetail{}, nXNADetail{};
  XNASetup bXNASetup{};
  GLSetup bGLSetup{};
  Customer bCustomer{};
  // The credit memo, payment or prepayment to apply, and its customer.
  ARDoc bApplyDoc{}, nApplyDoc{};
  Customer bApplyDocCust{};
  // Reference look-ups of other batches.
  XNAHeader bRefHeader{};

  // Cursors, by the names they are opened with.
  Cursor CSR_XNAHEADER, CSR_XDETAIL, CSR_XNASETUP, csr_customer, CSR_ARDOC, CSR_XNADETAIL,
      CSR_XNADETAIL_L, CSR_XNADETAIL_D, CSR_ARSETUP, CSR_work, CSR_ARDocWork, CSR_XNAHEADERWork,
      CSR_GLSETUP, CSR_PCSetup, CSR_PJContrl;

  // The grid's lines (detailsetup).
  LineArrayHandle DetailLines = nullptr;

  // Project-controller defaults, for a debit memo the host requires a project on.
  bool ProjectController = false;
  std::string DefaultProject;
  std::string DefaultTask;      // characters 1 to 32 of the default task
  std::string DefaultTaskRest;  // characters 33 onward

  // The release's progress.
  double PendingDocTotal = 0;
  bool RemainderPlaced = false;
  std::string ReleaseBatchNbr;
  // The host screens while the release drives them; never both at once.
  std::unique_ptr<runtime::HostScreen> MemoScreen, PayScreen;
  // The spare cursor of the release's status statements.
  Cursor CSR_Release;
  // Set while a release runs, so that its closing save does not release again.
  bool Releasing = false;

  // The form and its controls; the reversal's dialog once it was asked for.
  Form* Form1 = nullptr;
  Form* frmReverse = nullptr;
  Control *Update1 = nullptr, *frmNAHeader = nullptr, *cNABatNbr = nullptr, *cCpnyId = nullptr,
          *cStatus = nullptr, *cCustId = nullptr, *cType = nullptr, *cCMRefNbr = nullptr,
          *cNARefNbr = nullptr, *cDocDate = nullptr, *cPerPost = nullptr, *cOrigDocAmt = nullptr,
          *cBatchHandling = nullptr, *CApplyTotal = nullptr, *cDiscTotal = nullptr,
          *cUnappliedAmt = nullptr, *lName = nullptr, *lPhone = nullptr, *lFromCust = nullptr,
          *Frame1 = nullptr, *cSortOrder = nullptr, *cSortOrder2 = nullptr, *cSortOrder3 = nullptr,
          *cSortOrder4 = nullptr, *cSortOrder5 = nullptr, *cSortOrder6 = nullptr,
          *frmNADetail = nullptr, *Spread1 = nullptr, *cbAutoApply = nullptr, *cCustid1 = nullptr,
          *cCpnyId1 = nullptr, *cDocType = nullptr, *cRefNbr = nullptr, *cDocDateD = nullptr,
          *cDueDate = nullptr, *cCuryDocBal = nullptr, *cCuryApplAmt = nullptr, *cDiscAmt = nullptr,
          *cTotApply = nullptr, *cCuryDiscBal = nullptr, *cDiscDate = nullptr,
          *cNewDocBal = nullptr, *cNABatNbrD = nullptr;

  // Looks every control up on the loaded form.
  void bindControls(Form& form);
};

// A fresh state for the session's screen, replacing any earlier one.
PayApp& createPayApp(forms::Session& session);
// The state of the current session's screen; throws RuntimeError when it has none.
PayApp& payapp();

}  // namespace corvena::payapp
