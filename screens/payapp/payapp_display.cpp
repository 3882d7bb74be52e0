#include "screens/payapp/payapp_display.h"

#include <string>

#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

void RedrawAll() {
  auto& a = payapp();
  DispFields(a.Form1, a.Update1, a.Update1);
}

void EnableField(forms::Control* control, bool enabled) {
  SetProps(payapp().Form1, control, control, "enabled", enabled);
}

void EnableColumn(forms::Control* column, bool enabled) {
  SetCtrlProp(column, "enabled", enabled);
}

void ShowCaption(forms::Control* label, std::string_view text) {
  SetCtrlProp(label, "caption", text);
}

void SetApplyDocList(std::string_view type) {
  std::string pv;
  if (!type.empty()) {
    pv = R"("XNAShowAllClosedDocsForParent", "bXNAHeader.CustID"; 0; 0; 0; 0,)"
         R"("bXNAHeader.CustID"; 0; 0; 0; 0, )";
    pv += type;
    pv += "; 0; 127; 0; 0,";
  }
  SetCtrlProp(payapp().cCMRefNbr, "pv", pv);
}

}  // namespace corvena::payapp
