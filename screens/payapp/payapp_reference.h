#pragma once
// The credit to apply and the payment's reference number.

#include <optional>
#include <string>
#include <string_view>

namespace corvena::payapp {

int cCMRefNbr_ValueCheck(std::string& text);
int cNARefNbr_ValueCheck(std::string& text);
// The first of the type + reference (its first 6 characters) + "01".."99" that
// neither an AR payment nor another national-account batch uses.
std::optional<std::string> GeneratePaymentRefNbr(std::string_view type, std::string_view reference);
// Whether another batch of the customer took the batch's reference since it was
// entered (two clerks typing one check number); refused with 3007 at save.
bool ReferenceTakenMeanwhile();

}  // namespace corvena::payapp
