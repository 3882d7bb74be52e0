#include "platform/db/record.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvena {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
           return fold(x) == fold(y);
         });
}

int daysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

bool parseNumber(std::string_view s, int& out) {
  if (s.empty()) return false;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}

std::string_view trimView(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

}  // namespace

bool Date::parseIso(std::string_view s, Date& out) {
  out = Date{};
  s = trimView(s);
  if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
  int y = 0, m = 0, d = 0;
  if (!parseNumber(s.substr(0, 4), y) || !parseNumber(s.substr(5, 2), m) ||
      !parseNumber(s.substr(8, 2), d))
    return false;
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return false;
  out = Date{static_cast<std::uint16_t>(y), static_cast<std::uint8_t>(m),
             static_cast<std::uint8_t>(d)};
  return true;
}

// Every date of every row written or read passes here, so no printf.
std::string Date::iso() const {
  if (year > 9999 || month > 99 || day > 99) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u", unsigned(year), unsigned(month), unsigned(day));
    return buf;
  }
  std::string out = "0000-00-00";
  auto put = [&out](std::size_t end, unsigned value) {
    for (std::size_t i = end; value != 0; value /= 10) out[--i] = static_cast<char>('0' + value % 10);
  };
  put(4, year);
  put(7, month);
  put(10, day);
  return out;
}

int fieldTypeCode(FieldType t) {
  switch (t) {
    case FieldType::Text: return 0;
    case FieldType::Int16: return 1;
    case FieldType::Float: return 2;
    case FieldType::Date: return 3;
  }
  return 0;
}

const FieldDesc* RecordLayout::find(std::string_view field) const {
  for (const auto& f : fields_)
    if (equalsNoCase(f.name, field)) return &f;
  return nullptr;
}

std::string fieldText(const RecordRef& r, const FieldDesc& f) {
  const void* p = r.at(f);
  switch (f.type) {
    case FieldType::Text:
      return std::string(trimView(std::string_view(static_cast<const char*>(p), f.width)));
    case FieldType::Date: return static_cast<const Date*>(p)->iso();
    case FieldType::Int16: return std::to_string(*static_cast<const std::int16_t*>(p));
    case FieldType::Float: {
      char buf[64];
      auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *static_cast<const double*>(p));
      return ec == std::errc() ? std::string(buf, end) : std::string("0");
    }
  }
  return {};
}

bool setFieldText(const RecordRef& r, const FieldDesc& f, std::string_view text) {
  void* p = r.at(f);
  switch (f.type) {
    case FieldType::Text: {
      char* c = static_cast<char*>(p);
      const std::size_t n = std::min(text.size(), f.width);
      std::memcpy(c, text.data(), n);
      std::memset(c + n, ' ', f.width - n);
      return true;
    }
    case FieldType::Date: {
      Date d;
      if (!Date::parseIso(text, d)) return false;
      *static_cast<Date*>(p) = d;
      return true;
    }
    case FieldType::Int16: {
      int v = 0;
      if (!parseNumber(trimView(text), v) || v < -32768 || v > 32767) return false;
      *static_cast<std::int16_t*>(p) = static_cast<std::int16_t>(v);
      return true;
    }
    case FieldType::Float: {
      std::string_view t = trimView(text);
      double v = 0;
      auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
      if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return false;
      *static_cast<double*>(p) = v;
      return true;
    }
  }
  return false;
}

double fieldFloat(const RecordRef& r, const FieldDesc& f) {
  const void* p = r.at(f);
  switch (f.type) {
    case FieldType::Float: return *static_cast<const double*>(p);
    case FieldType::Int16: return *static_cast<const std::int16_t*>(p);
    default: return 0;
  }
}

void setFieldFloat(const RecordRef& r, const FieldDesc& f, double v) {
  void* p = r.at(f);
  if (f.type == FieldType::Float) *static_cast<double*>(p) = v;
  if (f.type == FieldType::Int16) *static_cast<std::int16_t*>(p) = static_cast<std::int16_t>(v);
}

void blankRecord(const RecordRef& r) {
  for (const auto& f : r.layout->fields()) {
    void* p = r.at(f);
    switch (f.type) {
      case FieldType::Text: std::memset(p, ' ', f.width); break;
      case FieldType::Date: *static_cast<Date*>(p) = Date{}; break;
      case FieldType::Int16: *static_cast<std::int16_t*>(p) = 0; break;
      case FieldType::Float: *static_cast<double*>(p) = 0; break;
    }
  }
}

}  // namespace corvena
