#pragma once
// What the signed-on user may do on the screen: the framework turns the
// toolbar's buttons off and refuses saves and deletes beyond them.

#include <optional>
#include <string>
#include <string_view>

namespace corvena::forms {

struct ScreenRights {
  bool view = true, insert = true, update = true, remove = true, release = true;

  // Letters as rights are kept: V view, I insert, U update, D delete, R release.
  static ScreenRights fromLetters(std::string_view letters);
  static ScreenRights none() { return fromLetters(""); }
  std::string letters() const;
  ScreenRights& operator|=(const ScreenRights& other);
  bool operator==(const ScreenRights&) const = default;
};

// Why the text is not rights letters (a letter other than V I U D R, either case); nothing when it is.
std::optional<std::string> rightsLettersProblem(std::string_view letters);

}  // namespace corvena::forms
