#pragma once
// The source document of a transfer: what other transfers hold of it, so a
// credit is never moved twice, and the lines its debit memo repeats, whose
// account a destination line takes unless the clerk says otherwise.

#include <string>

#include "runtime/tables/host_tables.h"

namespace corvena::transfer {

// The source's lines the invoice screen entered, in line order.
std::string SourceLinesStatement(const ARDoc& source);
// Offers what other batches leave of the source document the clerk chose
// (bARDoc) as the source amount, naming those batches; refuses a source they
// hold whole.
int OfferSource();
// Inside the save: refuses an open batch taking more of its source than other
// batches have left of it since it was chosen.
int RefuseSourceHeldElsewhere();
// Into bARTran, the account and subaccount a new destination line takes: the
// source's first line's, or for a payment the wash account its debit memo posts
// to; a source line without a subaccount leaves the destination's AR one (bCustomer).
void ReadLineDefault();

}  // namespace corvena::transfer
