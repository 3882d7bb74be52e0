#include "platform/forms/mask.h"

#include <cctype>

namespace corvena::forms {

namespace {

bool isPlaceholder(char m) {
  return m == '9' || m == 'U' || m == 'A' || m == 'L' || m == 'X' || m == '!';
}

// The character as stored for placeholder m, or 0 when it does not fit.
char accept(char m, char c) {
  const auto u = static_cast<unsigned char>(c);
  switch (m) {
    case '9':
      return std::isdigit(u) ? c : 0;
    case 'U':
      return std::isalnum(u) ? static_cast<char>(std::toupper(u)) : 0;
    case 'A':
      return std::isalnum(u) ? c : 0;
    case 'L':
      return std::isalpha(u) ? c : 0;
    case '!':
      return static_cast<char>(std::toupper(u));
    default:
      return c;
  }
}

}  // namespace

std::optional<std::string> applyMask(std::string_view mask, std::string_view text) {
  if (mask.empty()) return std::string(text);
  std::string out;
  std::size_t m = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    // A literal position takes its own character, or is filled in when skipped.
    while (m < mask.size() && !isPlaceholder(mask[m]) && mask[m] != c) out += mask[m++];
    if (m >= mask.size()) return std::nullopt;
    if (!isPlaceholder(mask[m])) {
      out += mask[m++];
      continue;
    }
    const char stored = accept(mask[m], c);
    if (!stored) return std::nullopt;
    out += stored;
    ++m;
  }
  return out;
}

}  // namespace corvena::forms
