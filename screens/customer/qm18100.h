#pragma once
// QM18100, the customer setup screen: links child customers to a parent
// customer, making the parent a national account, and keeps the national
// account's options.

#include <cstdint>
#include <string>

#include "runtime/host/kelpapi.h"
#include "runtime/tables/host_tables.h"
#include "runtime/tables/records.h"

namespace corvena::qm18100 {

// What the screen keeps for its whole run: its records, cursors, line array
// and controls. One instance per screen session; handlers reach it through
// qm18100().
struct QM18100 {
  // Level 0, the parent row, and its blank image.
  XNACustP bXNACustP{}, nXNACustP{};
  // Level 1, the grid's current child row, and its blank image.
  XNACustS bXNACustS{}, nXNACustS{};
  // The host customer row of the current child.
  Customer bCustomer{}, nCustomer{};
  // The host customer row of the parent, for the statement-cycle check.
  Customer bParentCustomer{};
  // An existing link of a customer entered as child.
  XVNACustomers_ALL bWork{};
  // The parent row as stored, read when saving.
  XNACustP bStoredParent{};

  host::Cursor CSR_XNACUSTP, CSR_XNACUSTS, CSR_CUSTOMER, CSR_CUSTOMERWORK, CSR_WORK;
  host::LineArrayHandle ChildLines = nullptr;
  // The parent's FinanceChrg as last read from the database or applied to its children.
  std::int16_t SavedFinanceChrg = 0;
  // The save cleared the statement option: it is shown again as stored.
  bool StatementCleared = false;

  forms::Control *cPrimaryCustId = nullptr, *cName = nullptr, *cPhone = nullptr, *Spread1 = nullptr;
};

// A fresh state for the form's session (a later one replaces it), and the
// handlers registered on the loaded main form (before its load handler runs).
void registerHandlers(forms::Form& Form1);
// The screen of a session, nullptr when none was registered.
QM18100* screenOf(const forms::Session& session);

}  // namespace corvena::qm18100
