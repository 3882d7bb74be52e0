#pragma once
// Delete, level reset and the per-level save: the batch header is stamped, the
// grid's applied lines are written as the batch's XNADetail rows.

#include "platform/db/record.h"
#include "runtime/tables/records.h"

namespace corvena::payapp {

void registerSaveHandlers();

int Update1_DeleteRequested(int level);
void Update1_LevelReset(int level);
int Update1_SaveLevel(int level);
// The current line (bXDetail) as an XNADetail row of the batch.
XNADetail DetailRow();
// Sets the update stamps to today, the program and the user; a record never
// stamped takes the same values as its creation stamps.
void StampAudit(Date& Crtd_Date, Text<8>& Crtd_Prog, Text<10>& Crtd_User, Date& LUpd_Date,
                Text<8>& LUpd_Prog, Text<10>& LUpd_User);

}  // namespace corvena::payapp
