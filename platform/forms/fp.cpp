#include "platform/forms/fp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvena::forms {

namespace {

double signedLike(double value, double rounded) {
  return std::signbit(value) && rounded != 0 ? -rounded : rounded;
}

}  // namespace

double fpRound(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  const double scale = std::pow(10.0, decimals);
  // Well away from a half unit, the decimal digits cannot change the answer:
  // a grid's worth of amounts is summed without formatting each one.
  const double magnitude = std::fabs(value) * scale;
  const double units = std::floor(magnitude + 0.5);
  if (magnitude < 1e12 && std::fabs(magnitude - units) < 0.25)
    return signedLike(value, units / scale);
  // The decimal value the double stands for: 15 significant digits drop the
  // binary representation error (2.675 is stored as 2.67499999...).
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  const double exact = std::strtod(buf, nullptr);
  char scaled[64];
  std::snprintf(scaled, sizeof scaled, "%.15g", std::fabs(exact) * scale);
  return signedLike(exact, std::floor(std::strtod(scaled, nullptr) + 0.5) / scale);
}

double fpRoundTo(double value, int precision, int currencyDecimals) {
  if (precision == kCurrencyPrecision) return fpRound(value, currencyDecimals);
  if (precision < 0) return value;
  return fpRound(value, precision);
}

}  // namespace corvena::forms
