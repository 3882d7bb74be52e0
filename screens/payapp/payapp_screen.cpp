#include "screens/payapp/payapp_screen.h"

#include "screens/payapp/payapp_apply.h"
#include "screens/payapp/payapp_batch.h"
#include "screens/payapp/payapp_grid.h"
#include "screens/payapp/payapp_load.h"
#include "screens/payapp/payapp_reference.h"
#include "screens/payapp/payapp_remit.h"
#include "screens/payapp/payapp_reverse.h"
#include "screens/payapp/payapp_save.h"
#include "screens/payapp/payapp_sort.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

void registerHandlers(forms::Form& Form1) {
  PayApp& a = createPayApp(Form1.session());
  a.bindControls(Form1);
  Form1.onLoad(Form1_Load).onUnload(Form1_Unload);
  a.cNABatNbr->onValueCheck(cNABatNbr_ValueCheck).onValueDisplayed(cNABatNbr_ValueDisplayed);
  a.cCustId->onValueCheck(cCustId_ValueCheck);
  a.cType->onValueCheck(cType_ValueCheck);
  a.cCMRefNbr->onValueCheck(cCMRefNbr_ValueCheck);
  a.cNARefNbr->onValueCheck(cNARefNbr_ValueCheck);
  for (Control* option :
       {a.cSortOrder, a.cSortOrder2, a.cSortOrder3, a.cSortOrder4, a.cSortOrder5, a.cSortOrder6}) {
    option->onValueCheck(cSortOrder_ValueCheck);
  }
  a.Spread1->onLineChange(Spread1_LineChange);
  a.Form1->control("cmdImport").onClick(cmdImport_Click);
  a.Form1->control("cmdReverse").onClick(cmdReverse_Click);
  registerApplyHandlers();
  registerSaveHandlers();
}

}  // namespace corvena::payapp
