#pragma once
// QM18100, the customer setup screen: links child customers to a parent
// customer, making the parent a national account, and keeps the national
// account's options. One object per screen session holds its records,
// cursors and line array for the whole run.

#include <cstdint>
#include <string>

#include "runtime/host/kelpapi.h"
#include "runtime/tables/host_tables.h"
#include "runtime/tables/records.h"

namespace corvena::qm18100 {

class QM18100 {
 public:
  // Registers the handlers on the loaded main form (before its load handler runs).
  explicit QM18100(forms::Form& form);
  QM18100(const QM18100&) = delete;
  QM18100& operator=(const QM18100&) = delete;

  void Form_Load();
  void Form_Unload();
  int cPrimaryCustId_ValueCheck(std::string& ChkStrg);
  int cSecondaryCustId_ValueCheck(std::string& ChkStrg);
  int Spread1_LineChange(int action);
  int Update1_SaveLevel(int level);
  void Update1_SaveCompleted(int first, int second);

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

 private:
  void startNewParent(const std::string& parent);
  bool headsNationalAccount(const std::string& customer);
  void readSavedFinanceChrg();
  void saveChildLines();
  void applyFinanceCharges();
  void checkStatementCycles();
  bool childCyclesMatch();

  forms::Control* cPrimaryCustId;
  forms::Control* cSecondaryCustId;
  forms::Control* cName;
  forms::Control* cPhone;
  forms::Control* Spread1;
  forms::Control* Update1;
  bool statementCleared_ = false;
};

// Creates the screen for the form's session (one a session; a later one
// replaces it) and registers its handlers.
QM18100& registerHandlers(forms::Form& Form1);
// The screen of a session, nullptr when none was registered.
QM18100* screenOf(const forms::Session& session);

}  // namespace corvena::qm18100
