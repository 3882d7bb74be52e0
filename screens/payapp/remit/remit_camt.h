#pragma once
// A bank's notification of the check (ISO 20022 camt.054, or the same entry in
// a camt.053 statement): the entry's amount and booking date, its check number,
// the debtor (the parent) and, per transaction, the ultimate debtor (the store)
// with its structured remittance: the document, the amount remitted and the
// discount applied. An entry without structured remittance is not the chain's.

#include <string_view>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

// Throws RemitError naming the line for broken XML or an entry that cannot be read.
Remittance readCamt(std::string_view text);

}  // namespace corvena::remit
