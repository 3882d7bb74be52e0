#pragma once
// QM18200, the module setup screen: the single XNASetup row. Entry checks and
// saving are the framework's, from the controls' properties; the screen loads
// the row, keeps the last batch number one that numbering can continue, shows
// the row again on cancel and ends on unload.

#include "runtime/host/kelpapi.h"
#include "runtime/tables/records.h"

namespace corvena::qm18200 {

// What the screen keeps for its whole run. One instance per screen session;
// handlers reach it through qm18200().
struct QM18200 {
  XNASetup bXNASetup{}, nXNASetup{};
  host::Cursor CSR_XNASETUP;
};

// A fresh state for the form's session, and the handlers registered on the
// loaded main form (before its load handler runs).
void registerHandlers(forms::Form& Form1);
// The state of the current session's screen.
QM18200& qm18200();

}  // namespace corvena::qm18200
