#pragma once
// QM18200, the module setup screen: the single XNASetup row. Entry checks and
// saving are the framework's, from the controls' properties; the screen loads
// the row, keeps the last batch number one that numbering can continue, shows
// the row again on cancel and ends on unload.

#include "runtime/host/kelpapi.h"
#include "runtime/tables/records.h"

namespace corvena::qm18200 {

class QM18200 {
 public:
  // Registers the handlers on the loaded main form (before its load handler runs).
  explicit QM18200(forms::Form& form);
  QM18200(const QM18200&) = delete;
  QM18200& operator=(const QM18200&) = delete;

  void Form_Load();
  void Form_Unload();
  int Update1_CancelRequested();
  int cLastNABatNbr_ValueCheck(std::string& ChkStrg);

  XNASetup bXNASetup{}, nXNASetup{};
  host::Cursor CSR_XNASETUP;

 private:
  void readSetup();
};

// Creates the screen for the form's session; it lives as long as the session.
QM18200& registerHandlers(forms::Form& Form1);

}  // namespace corvena::qm18200
