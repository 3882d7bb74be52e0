#pragma once
// The usual leading-number reading of text: blanks skipped, then a signed
// number as far as it goes; "5" gives 5, "12ab" 12, a text without one 0.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvena::runtime {

double Val(std::string_view text);
// Val as a 16-bit or 32-bit integer, rounded; throws forms::RuntimeError (6,
// overflow) when it does not fit.
std::int16_t ValInt16(std::string_view text);
std::int32_t ValInt32(std::string_view text);
// A number written with a leading blank standing for its sign ("-" when negative).
std::string Str(long value);
// The text without leading blanks and trailing blanks or NULs, as typed into a
// fixed-width field.
std::string Trim(std::string_view text);

}  // namespace corvena::runtime
