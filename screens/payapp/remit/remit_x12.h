#pragma once
// The payment order / remittance advice of EDI (X12 820): BPR carries the
// amount and date, TRN the check number, N1*PR the payer, each ENT loop a
// store, and its RMR*IV segments the invoices paid. Read strictly: the
// separators come from the ISA header, and a set whose SE does not count its
// segments (a cut-short file) is refused.

#include <string_view>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

// Throws RemitError naming the line of the segment at fault.
Remittance readX12(std::string_view text);

}  // namespace corvena::remit
