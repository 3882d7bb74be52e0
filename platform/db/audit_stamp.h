#pragma once
// Who wrote a row and when: every save puts its stamp on the last update, and
// on the creation too when the row has none yet.

#include <string>

#include "platform/db/record.h"

namespace corvena::db {

struct AuditStamp {
  Date date;
  std::string program;
  std::string user;
};

// A row is new while no program has created it: rows stored with a creator and
// no creation date (the company's setup row) keep the creator they have.
template <class Row>
void stampAudit(Row& row, const AuditStamp& by) {
  row.LUpd_Date = by.date;
  row.LUpd_Prog = by.program;
  row.LUpd_User = by.user;
  if (!row.Crtd_Prog.blank()) return;
  row.Crtd_Date = by.date;
  row.Crtd_Prog = by.program;
  row.Crtd_User = by.user;
}

}  // namespace corvena::db
