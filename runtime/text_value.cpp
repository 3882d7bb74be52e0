#include "runtime/text_value.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/forms/runtime_error.h"

namespace corvena::runtime {

namespace {

constexpr int ErrOverflow = 6;

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

template <class Int>
Int fitting(std::string_view text) {
  const double v = std::nearbyint(Val(text));
  if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max())
    throw forms::RuntimeError(ErrOverflow, "Overflow");
  return static_cast<Int>(v);
}

}  // namespace

double Val(std::string_view text) {
  std::string number;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    if (isDigit(text[i])) {
      number += text[i];
    } else if (text[i] == '.' && !point) {
      point = true;
      number += '.';
    } else if (text[i] != ' ') {
      break;
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

std::string Str(long value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string Trim(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return std::string(text);
}

std::int16_t ValInt16(std::string_view text) {
  return fitting<std::int16_t>(text);
}

std::int32_t ValInt32(std::string_view text) {
  return fitting<std::int32_t>(text);
}

}  // namespace corvena::runtime
