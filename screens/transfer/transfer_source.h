#pragma once
// The source document of a transfer: what other transfers hold of it, so a
// credit is never moved twice.

#include <string>

#include "runtime/tables/host_tables.h"

namespace corvena::transfer {

// Offers what other batches leave of the source document the clerk chose
// (bARDoc) as the source amount, naming those batches; refuses a source they
// hold whole.
int OfferSource();
// Inside the save: refuses an open batch taking more of its source than other
// batches have left of it since it was chosen.
int RefuseSourceHeldElsewhere();

}  // namespace corvena::transfer
