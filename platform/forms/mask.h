#pragma once
// Input masks of masked text controls. One mask character per position:
//   9  a digit                      U  a letter or digit, upper-cased
//   A  a letter or digit            L  a letter
//   X  any character                !  any character, upper-cased
// Any other mask character is a literal: it appears in the value as it stands
// and may be typed or left out ("(999)999-9999 99999"). The value may be
// shorter than the mask, never longer.

#include <optional>
#include <string>
#include <string_view>

namespace corvena::forms {

// The text as stored, or nothing when the text does not fit the mask.
std::optional<std::string> applyMask(std::string_view mask, std::string_view text);

}  // namespace corvena::forms
