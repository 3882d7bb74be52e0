#include "platform/forms/text_util.h"

#include <algorithm>
#include <cctype>

namespace corvena::forms {

namespace {
char lowerChar(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
char upperChar(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
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
