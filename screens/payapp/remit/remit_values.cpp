#include "screens/payapp/remit/remit_values.h"

#include <cctype>
#include <charconv>

namespace corvena::remit {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool allDigits(std::string_view s) {
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return !s.empty();
}

// Groups of three after the first, as "1,234,567" writes them.
bool groupedDigits(std::string_view s, char separator, std::string& digits) {
  std::size_t start = 0;
  for (std::size_t next; (next = s.find(separator, start)) != std::string_view::npos;
       start = next + 1) {
    const auto group = s.substr(start, next - start);
    if (!allDigits(group) || (start > 0 && group.size() != 3) || group.size() > 3) return false;
    digits += group;
  }
  const auto last = s.substr(start);
  if (!allDigits(last) || (start > 0 && last.size() != 3)) return false;
  digits += last;
  return true;
}

[[noreturn]] void badAmount(std::string_view text, int line, std::string_view column) {
  throw RemitError(line,
                   "\"" + std::string(text) + "\" is not an amount (" + std::string(column) + ").");
}

}  // namespace

Cents parseAmount(std::string_view text, int line, std::string_view column, bool decimalComma) {
  std::string_view s = trim(text);
  bool negative = false;
  if (!s.empty() && s.front() == '-') {
    negative = true;
    s.remove_prefix(1);
  }
  if (!s.empty() && s.front() == '$') s.remove_prefix(1);
  const char point = decimalComma ? ',' : '.';
  const char grouping = decimalComma ? '.' : ',';
  const auto dot = s.find(point);
  const auto whole = s.substr(0, dot);
  const auto fraction = dot == std::string_view::npos ? std::string_view() : s.substr(dot + 1);
  std::string digits;
  if (whole.empty() || !groupedDigits(whole, grouping, digits) || digits.size() > 13)
    badAmount(text, line, column);
  if (dot != std::string_view::npos && (!allDigits(fraction) || fraction.size() > 2))
    badAmount(text, line, column);
  Cents cents = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), cents);
  cents *= 100;
  if (!fraction.empty())
    cents += (fraction[0] - '0') * 10 + (fraction.size() > 1 ? fraction[1] - '0' : 0);
  return negative ? -cents : cents;
}

Date parseDate(std::string_view text, int line, std::string_view column) {
  const std::string_view s = trim(text);
  if (s.empty()) return Date{};
  std::string iso;
  if (s.size() == 8 && allDigits(s)) {
    iso = std::string(s.substr(0, 4)) + "-" + std::string(s.substr(4, 2)) + "-" +
          std::string(s.substr(6, 2));
  } else if (s.size() == 10 && s[2] == '/' && s[5] == '/') {
    iso = std::string(s.substr(6, 4)) + "-" + std::string(s.substr(0, 2)) + "-" +
          std::string(s.substr(3, 2));
  } else {
    iso = std::string(s);
  }
  Date date;
  if (!Date::parseIso(iso, date))
    throw RemitError(line,
                     "\"" + std::string(s) + "\" is not a date (" + std::string(column) + ").");
  return date;
}

std::string amountText(Cents amount) {
  const Cents whole = (amount < 0 ? -amount : amount);
  std::string cents = std::to_string(whole % 100);
  if (cents.size() < 2) cents.insert(0, "0");
  return (amount < 0 ? "-" : "") + std::to_string(whole / 100) + "." + cents;
}

}  // namespace corvena::remit
