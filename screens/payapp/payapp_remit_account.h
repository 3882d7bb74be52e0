#pragma once
// The national account as a remittance is matched against: its customers, the
// grid's open documents line by line, and the documents the grid leaves out.

#include "screens/payapp/remit/remit_match.h"

namespace corvena::payapp {

remit::Account RemittanceAccount();

}  // namespace corvena::payapp
