#pragma once
// The audit stamps of a module row: the last update at every save, the
// creation once, taken from the signed-on program and user.

#include "platform/forms/session.h"
#include "runtime/host/kelpapi.h"

namespace corvena::qm18100 {

template <class Row>
void StampAudit(Row& row) {
  const bpes& pes = forms::session().pes();
  host::DateToday(row.LUpd_Date);
  row.LUpd_Prog = pes.Prog.trimmed();
  row.LUpd_User = pes.UserId.trimmed();
  if (!row.Crtd_Prog.blank()) return;
  row.Crtd_Date = row.LUpd_Date;
  row.Crtd_Prog = row.LUpd_Prog.view();
  row.Crtd_User = row.LUpd_User.view();
}

}  // namespace corvena::qm18100
