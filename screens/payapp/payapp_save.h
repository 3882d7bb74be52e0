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

}  // namespace corvena::payapp
