#pragma once
// A remittance file of any of the formats the import reads, told apart by its
// content: XML is a bank's notification, ISA opens an EDI file, the rest is CSV.

#include <string>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

// Throws RemitError for a file that cannot be read or is none of them.
Remittance readRemittanceFile(const std::string& path);

}  // namespace corvena::remit
