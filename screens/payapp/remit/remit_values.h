#pragma once
// Amounts and dates as remittance files write them.

#include <string>
#include <string_view>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

// "1234.5", "1,234.56", "-20.00", "$15"; with decimalComma, "1234,56" and
// "1.234,56". Throws RemitError naming the line and the column for anything else.
Cents parseAmount(std::string_view text, int line, std::string_view column,
                  bool decimalComma = false);
// "2026-03-02", "20260302" or "03/02/2026" (month first); blank gives the blank date.
Date parseDate(std::string_view text, int line, std::string_view column);
// Cents as the screen types them: "1234.56", "-0.05".
std::string amountText(Cents amount);

}  // namespace corvena::remit
