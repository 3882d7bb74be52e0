#include "platform/forms/fp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvena::forms {

double fpRound(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  // The decimal value the double stands for: 15 significant digits drop the
  // binary representation error (2.675 is stored as 2.67499999...).
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  const double exact = std::strtod(buf, nullptr);
  const double scale = std::pow(10.0, decimals);
  char scaled[64];
  std::snprintf(scaled, sizeof scaled, "%.15g", std::fabs(exact) * scale);
  const double units = std::floor(std::strtod(scaled, nullptr) + 0.5);
  const double rounded = units / scale;
  return std::signbit(exact) && rounded != 0 ? -rounded : rounded;
}

double fpRoundTo(double value, int precision, int currencyDecimals) {
  if (precision == kCurrencyPrecision) return fpRound(value, currencyDecimals);
  if (precision < 0) return value;
  return fpRound(value, precision);
}

}  // namespace corvena::forms
