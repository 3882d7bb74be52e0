#pragma once
// Amount arithmetic. A precision of kCurrencyPrecision means the currency's
// decimals. Rounding is half away from zero on the decimal value the double
// stands for (15 significant digits), so 2.675 rounds to 2.68 and 0.1 + 0.2
// to 0.3.

namespace corvena::forms {

inline constexpr int kCurrencyPrecision = -32768;

double fpRound(double value, int decimals);
// Negative precisions other than kCurrencyPrecision leave the value unrounded.
double fpRoundTo(double value, int precision, int currencyDecimals);

}  // namespace corvena::forms
