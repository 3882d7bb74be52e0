#include "screens/transfer/transfer_destinations.h"

#include "runtime/customer_standing.h"
#include "runtime/kelpbas.h"
#include "screens/transfer/transfer_host_documents.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

using namespace corvena::host;
using runtime::hostStep;
using runtime::ReleaseEnded;

int Spread1_LineChange(int action) {
  auto& t = transfer();
  if (action == 0) t.bXNATranDet.NATrBatNbr = t.bXNATranHdr.NATrBatNbr;
  return 0;
}

int cDestCustID_ValueCheck(std::string& text) {
  return runtime::RefusedCustomer(text) ? SilentRefusal : 0;
}

// The payment application is handed to the clerk, the credit memo selected: it
// stays open when this screen closes, and this screen keeps no hold on it.
void cmdApply_Click() {
  auto& t = transfer();
  const XNATranDet& d = t.bXNATranDet;
  if (d.ARRefNbr.blank()) {
    MessBox("Must have reference number by releasing batch to apply this line.", StylePlain,
            "National Accounts");
    return;
  }
  const auto& report = TransferErrorReport();
  try {
    hostStep(report, [&] { t.ApplyScreen = StartHostScreen("0803000.exe"); });
    hostStep(report, [&] { t.ApplyScreen->PrepareScreen(true); });
    hostStep(report, [&] { HostField(*t.ApplyScreen, "cCustID").ControlValue(d.DestCustID.view()); });
    hostStep(report, [&] { HostField(*t.ApplyScreen, "cDocType").ControlValue("Credit Memo"); });
    hostStep(report, [&] { HostField(*t.ApplyScreen, "cRefNbr").ControlValue(d.ARRefNbr.view()); });
    hostStep(report, [&] { t.ApplyScreen->HandOver(); });
  } catch (const ReleaseEnded&) {
  }
  t.ApplyScreen.reset();
}

}  // namespace corvena::transfer
