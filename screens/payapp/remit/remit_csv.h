#pragma once
// The portal export of a remittance: a header row naming the columns, then one
// row per document paid, each repeating the check's number, date and amount.
// Comma or semicolon separated (a semicolon file writes amounts with a decimal
// comma), quoted as RFC 4180 has it.

#include <string_view>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

// Throws RemitError naming the line for a file that is not such an export.
Remittance readCsv(std::string_view text);

}  // namespace corvena::remit
