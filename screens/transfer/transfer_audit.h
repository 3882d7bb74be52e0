#pragma once
// Who changed a row last: the stamps a save puts on each row it writes, and
// those the release's own statements carry.

#include <string>

#include "platform/forms/session.h"
#include "runtime/host/kelpapi.h"
#include "runtime/kelpbas.h"

namespace corvena::transfer {

// The last-update stamp of the signed-on user; the creation stamp too on a new row.
template <class Row>
void StampAudit(Row& row) {
  const auto& pes = forms::session().pes();
  host::DateToday(row.LUpd_Date);
  row.LUpd_Prog = pes.Prog.trimmed();
  row.LUpd_User = pes.UserId.trimmed();
  if (host::DateCompare(row.Crtd_Date, runtime::BlankDate) != 0) return;
  row.Crtd_Date = row.LUpd_Date;
  row.Crtd_Prog = row.LUpd_Prog.view();
  row.Crtd_User = row.LUpd_User.view();
}

// The columns a release statement sets besides its own: the releasing user's
// last-update stamp (", LUpd_Date = ..."), whoever saved the batch last.
std::string ReleaseStamp();

}  // namespace corvena::transfer
