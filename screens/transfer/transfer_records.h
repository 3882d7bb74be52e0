#pragma once
// The screen's own work record: the totals and batch handling no table holds.

#include "runtime/tables/records.h"

#define TRANSFER_XHEADER_FIELDS(F) \
  F(FLOAT, linetotal, 0) F(TEXT, batchhandling, 1) F(FLOAT, DetTotal, 0) F(FLOAT, EnteredTotal, 0)

namespace corvena::transfer {

CORVENA_RECORD(XHeader, TRANSFER_XHEADER_FIELDS)

}  // namespace corvena::transfer
