#pragma once
// Small text helpers the framework uses for names and values.

#include <string>
#include <string_view>

namespace corvena::forms {

bool iequals(std::string_view a, std::string_view b);
std::string lower(std::string_view s);
std::string upper(std::string_view s);
std::string trim(std::string_view s);
// Without the trailing blanks and NULs of a fixed-width field.
std::string trimEnd(std::string_view s);
// "bxnaheader.custid; 0; 0; 10" -> {"bxnaheader", "custid"}; empty when not "a.b".
// Well-formed UTF-8 without control characters: what a person can type.
bool typableText(std::string_view s);
bool splitFieldRef(std::string_view ref, std::string& buffer, std::string& field);

}  // namespace corvena::forms
