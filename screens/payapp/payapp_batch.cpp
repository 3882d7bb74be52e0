#include "screens/payapp/payapp_batch.h"

#include "runtime/customer_standing.h"
#include "screens/payapp/payapp_apply.h"
#include "screens/payapp/payapp_display.h"
#include "screens/payapp/payapp_grid.h"
#include "screens/payapp/payapp_release.h"
#include "screens/payapp/payapp_state.h"
#include "screens/payapp/payapp_status.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

constexpr std::string_view kFromCustomer = "From Customer: ";

void showCustomer(PayApp& a, bool found) {
  ShowCaption(a.lName, found ? a.bCustomer.Name.trimmed() : "");
  ShowCaption(a.lPhone, found ? a.bCustomer.Phone.trimmed() : "");
}

// A recalled batch of a credit: its document to apply is looked up again. The
// list offers only credits with a balance left; one this batch used up, or a
// released batch's, is still the batch's own and is read directly.
void showApplyDoc(PayApp& a, const std::string& type) {
  SetApplyDocList(type);
  if (PVChkFetch4(a.cCMRefNbr, a.CSR_ARDOC, a.bXNAHeader.vond2.view(), a.bApplyDoc,
                  sizeof a.bApplyDoc, a.bApplyDocCust, sizeof a.bApplyDocCust) == NotFound) {
    a.bApplyDoc = a.nApplyDoc;
    SqlFetch1(a.CSR_ARDOC,
              "select * from ARDoc where CustId = " + SParm(a.bXNAHeader.CustId) +
                  " and DocType = " + SParm(type) + " and RefNbr = " + SParm(a.bXNAHeader.vond2),
              a.bApplyDoc, sizeof a.bApplyDoc);
  }
  ShowCaption(a.lFromCust, std::string(kFromCustomer) + a.bApplyDoc.CustId.trimmed());
  EnableField(a.cOrigDocAmt, false);
  EnableField(a.cCMRefNbr, true);
}

void clearApplyDoc(PayApp& a) {
  SetApplyDocList("");
  EnableField(a.cOrigDocAmt, true);
  EnableField(a.cCMRefNbr, false);
  a.bApplyDoc = a.nApplyDoc;
  ShowCaption(a.lFromCust, "");
}

}  // namespace

int cNABatNbr_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (PVChkFetch1(nullptr, a.CSR_XNAHEADER, text, a.bXNAHeader, sizeof a.bXNAHeader) != NotFound) {
    RecoverInterruptedRelease(true);
    a.bXHeader.BatchHandling = a.bXNAHeader.Status == "O" ? "H" : "N";
    const std::string type = a.bXNAHeader.vond1.trimmed();
    a.bXNAHeader.vond1 = type;
    if (type != "NP") {
      showApplyDoc(a, type);
    } else {
      clearApplyDoc(a);
    }
  }
  showCustomer(a, SqlFetch1(a.csr_customer, "Customer_all " + SParm(a.bXNAHeader.CustId),
                            a.bCustomer, sizeof a.bCustomer) != NotFound);
  ApplyBatchStatus();
  a.bXNAHeader.NABatNbr = Text<10>(text).trimmed();
  LoadDetailLines();
  ShowUnapplied(a.bXNAHeader.OrigDocAmt);
  RedrawAll();
  return 0;
}

// Raised too when New, Cancel or a delete shows a new batch: the screen is
// then as it opened, whatever the batch before it was (closed, a credit's).
// The labels are cleared for a batch number that recalled nothing; a recalled
// batch's customer, read by the check, is shown again.
void cNABatNbr_ValueDisplayed() {
  auto& a = payapp();
  const std::string type = a.bXNAHeader.vond1.trimmed();
  if (type == "NP" || type.empty()) {
    clearApplyDoc(a);
  } else {
    showApplyDoc(a, type);
  }
  ApplyBatchStatus();
  ShowCaption(a.lName, "");
  ShowCaption(a.lPhone, "");
  if (!a.bXNAHeader.CustId.blank() && a.bCustomer.CustId.trimmed() == a.bXNAHeader.CustId.trimmed())
    showCustomer(a, true);
}

int cCustId_ValueCheck(std::string& text) {
  auto& a = payapp();
  if (runtime::RefusedCustomer(text)) return SilentRefusal;
  showCustomer(a, SqlFetch1(a.csr_customer, "select * from customer where custid = " + SParm(text),
                            a.bCustomer, sizeof a.bCustomer) != NotFound);
  a.bXNAHeader.vond2 = "";
  a.bXNAHeader.CustId = Text<15>(text).trimmed();
  LoadDetailLines();
  RedrawAll();
  return 0;
}

int cType_ValueCheck(std::string& text) {
  auto& a = payapp();
  const std::string type = Text<30>(text).trimmed();
  if (type == a.bXNAHeader.vond1.trimmed()) return 0;
  a.bApplyDoc = a.nApplyDoc;
  ShowCaption(a.lFromCust, "");
  a.bXNAHeader.RefNbr = "";
  a.bXNAHeader.vond2 = "";
  a.bXNAHeader.OrigDocAmt = 0;
  a.bXHeader.ApplyTotal = 0;
  a.bXHeader.UnAppliedAmt = 0;
  a.bXHeader.DiscTotal = 0;
  for (Control* c : {a.cNARefNbr, a.cCMRefNbr, a.cOrigDocAmt, a.cUnappliedAmt, a.CApplyTotal}) {
    DispField(c);
  }
  SetColumnAllLines(a.cCuryApplAmt, "0");
  const bool newPayment = type == "NP";
  SetApplyDocList(newPayment ? "" : type);
  EnableField(a.cOrigDocAmt, newPayment);
  EnableField(a.cCMRefNbr, !newPayment);
  return 0;
}

}  // namespace corvena::payapp
