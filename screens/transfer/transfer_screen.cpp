#include "screens/transfer/transfer_screen.h"

#include "screens/transfer/transfer_batch.h"
#include "screens/transfer/transfer_destinations.h"
#include "screens/transfer/transfer_load.h"
#include "screens/transfer/transfer_save.h"
#include "screens/transfer/transfer_state.h"

namespace corvena::transfer {

void registerHandlers(forms::Form& Form1) {
  Transfer& t = createTransfer(Form1.session());
  t.bindControls(Form1);
  Form1.onLoad(Form1_Load).onUnload(Form1_Unload);
  t.cNATrBatNbr->onValueCheck(cNATrBatNbr_ValueCheck).onValueDisplayed(cNATrBatNbr_ValueDisplayed);
  t.cSrcCustId->onValueCheck(cSrcCustId_ValueCheck);
  t.cBatchHandling->onValueCheck(cBatchHandling_ValueCheck);
  t.cSrcRefNbr->onValueCheck(cSrcRefNbr_ValueCheck);
  t.Spread1->onLineChange(Spread1_LineChange);
  t.cDestCustID->onValueCheck(cDestCustID_ValueCheck);
  t.cmdApply->onClick(cmdApply_Click);
  registerSaveHandlers();
}

}  // namespace corvena::transfer
