#include "platform/forms/screen_rights.h"

#include <cctype>

namespace corvena::forms {

ScreenRights ScreenRights::fromLetters(std::string_view letters) {
  const auto has = [&](char c) {
    for (char l : letters)
      if (std::toupper(static_cast<unsigned char>(l)) == c) return true;
    return false;
  };
  return {has('V'), has('I'), has('U'), has('D'), has('R')};
}

std::string ScreenRights::letters() const {
  std::string out;
  if (view) out += 'V';
  if (insert) out += 'I';
  if (update) out += 'U';
  if (remove) out += 'D';
  if (release) out += 'R';
  return out;
}

ScreenRights& ScreenRights::operator|=(const ScreenRights& other) {
  view |= other.view;
  insert |= other.insert;
  update |= other.update;
  remove |= other.remove;
  release |= other.release;
  return *this;
}

std::optional<std::string> rightsLettersProblem(std::string_view letters) {
  for (char l : letters)
    if (std::string_view("VIUDR").find(static_cast<char>(std::toupper(static_cast<unsigned char>(l)))) ==
        std::string_view::npos)
      return "Rights are the letters V (view), I (insert), U (update), D (delete) and R (release); \"" +
             std::string(1, l) + "\" is not one of them.";
  return std::nullopt;
}

}  // namespace corvena::forms
