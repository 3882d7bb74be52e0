#include "platform/forms/text_util.h"

#include <algorithm>

namespace corvena::forms {

namespace {
// ASCII only, whatever the process's locale: names and keys are compared
// the same at every desk, and without a library call per character.
char lowerChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}
char upperChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}
}  // namespace

bool iequals(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerChar(x) == lowerChar(y);
         });
}

std::string lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), lowerChar);
  return out;
}

std::string upper(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), upperChar);
  return out;
}

std::string trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string_view::npos) return {};
  const auto e = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(b, e - b + 1));
}

std::string trimEnd(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return std::string(s);
}

bool splitFieldRef(std::string_view ref, std::string& buffer, std::string& field) {
  std::string head = trim(ref.substr(0, ref.find(';')));
  if (!head.empty() && head.front() == '"') head = head.substr(1);
  if (!head.empty() && head.back() == '"') head.pop_back();
  const auto dot = head.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == head.size()) return false;
  buffer = trim(head.substr(0, dot));
  field = trim(head.substr(dot + 1));
  return true;
}

}  // namespace corvena::forms

namespace corvena::forms {

namespace {

struct Utf8Lead {
  unsigned char first, last;  // lead bytes of this kind
  std::size_t length;
  unsigned char secondLow, secondHigh;  // the second byte's range rules out overlong forms
};

// Leads whose second byte is narrower than 80..BF rule out overlong forms,
// surrogates and code points beyond U+10FFFF.
constexpr Utf8Lead kLeads[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

// The length of the UTF-8 sequence at s[i]; 0 when it is malformed.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  if (byte(i) < 0x80) return 1;
  for (const auto& lead : kLeads) {
    if (byte(i) < lead.first || byte(i) > lead.last) continue;
    if (i + lead.length > s.size()) return 0;
    if (byte(i + 1) < lead.secondLow || byte(i + 1) > lead.secondHigh) return 0;
    for (std::size_t k = 2; k < lead.length; ++k)
      if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return lead.length;
  }
  return 0;
}

}  // namespace

bool typableText(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x20 || c == 0x7F) return false;
    const std::size_t n = sequenceLength(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

}  // namespace corvena::forms
