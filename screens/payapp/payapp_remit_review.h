#pragma once
// The review of an import: each remittance line and what became of it.

#include "platform/forms/ui.h"
#include "screens/payapp/remit/remit_match.h"

namespace corvena::payapp {

forms::Report RemittanceReview(const remit::Remittance& remittance, const remit::Account& account,
                               const remit::MatchResult& result);

}  // namespace corvena::payapp
