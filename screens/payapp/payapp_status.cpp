#include "screens/payapp/payapp_status.h"

#include "screens/payapp/payapp_display.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

void closedBatch(PayApp& a) {
  SetButton(6, -1, 0);
  for (Control* c : {a.cCustId, a.cNARefNbr, a.cOrigDocAmt, a.cDocDate, a.cPerPost,
                     a.cBatchHandling, a.cType, a.cCMRefNbr}) {
    EnableField(c, false);
  }
  EnableColumn(a.cCuryApplAmt, false);
  EnableColumn(a.cDiscAmt, false);
}

// Only batch handling stays open, so that the release can be repeated; a
// closed batch shown before this one left Save off.
void partiallyReleasedBatch(PayApp& a) {
  SetButton(2, -1, -1);
  SetButton(4, -1, 0);
  for (Control* c :
       {a.cCustId, a.cNARefNbr, a.cOrigDocAmt, a.cDocDate, a.cPerPost, a.cType, a.cCMRefNbr}) {
    EnableField(c, false);
  }
  EnableColumn(a.cCuryApplAmt, false);
  EnableField(a.cBatchHandling, true);
}

void openBatch(PayApp& a) {
  SetButton(6, -1, -1);
  a.bXNAHeader.vond1 = a.bXNAHeader.vond1.trimmed();
  const bool amountTyped = a.bXNAHeader.vond1 == "NP" || a.bXNAHeader.vond1.blank();
  EnableField(a.cOrigDocAmt, amountTyped);
  for (Control* c : {a.cCustId, a.cNARefNbr, a.cDocDate, a.cPerPost, a.cBatchHandling, a.cType,
                     a.cCMRefNbr, a.cNABatNbr}) {
    EnableField(c, true);
  }
  EnableColumn(a.cCuryApplAmt, true);
  // A closed batch shown before this one left the discounts closed.
  EnableColumn(a.cDiscAmt, true);
}

}  // namespace

void ApplyBatchStatus() {
  auto& a = payapp();
  // Only a batch released into AR, and not yet reversed, can be reversed.
  EnableField(&a.Form1->control("cmdReverse"), a.bXNAHeader.Status == "C");
  // A remittance pays what is still open; the import itself refuses a saved batch.
  EnableField(&a.Form1->control("cmdImport"), a.bXNAHeader.Status == "O");
  // A closed batch lists its released applications: there is nothing left to pay.
  EnableField(a.cbAutoApply, a.bXNAHeader.Status != "C" && a.bXNAHeader.Status != "V");
  if (a.bXNAHeader.Status == "C" || a.bXNAHeader.Status == "V") {
    closedBatch(a);
  } else if (a.bXNAHeader.Status == "P") {
    partiallyReleasedBatch(a);
  } else {
    openBatch(a);
  }
  LockGridLines();
  RedrawAll();
}

void LockGridLines() {
  SetButton(5, 1, 0);
}

}  // namespace corvena::payapp
