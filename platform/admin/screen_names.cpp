#include "platform/admin/screen_names.h"

#include <algorithm>
#include <cctype>

#include "platform/shell/parent_menu.h"
#include "platform/signon/user_directory.h"

namespace corvena::admin {

namespace {

const ScreenName kEveryScreen{"*", "*", "Every screen"};

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Users and Rights itself is for administrators, whatever rights say.
std::vector<shell::MenuScreen> rightsScreens() {
  auto screens = shell::menuScreens({});
  std::erase_if(screens, [](const shell::MenuScreen& s) { return s.administration; });
  return screens;
}

ScreenName nameOf(const shell::MenuScreen& s) {
  return {signon::screenKey(s.program), s.number, s.caption};
}

}  // namespace

std::vector<ScreenName> menuScreenNames() {
  std::vector<ScreenName> names;
  for (const auto& s : rightsScreens()) names.push_back(nameOf(s));
  return names;
}

std::optional<ScreenName> screenTyped(std::string_view text) {
  const std::string typed = upper(text);
  if (typed == "*") return kEveryScreen;
  for (const auto& s : rightsScreens())
    if (typed == s.program || typed == s.number || typed == signon::screenKey(s.program))
      return nameOf(s);
  return std::nullopt;
}

ScreenName screenOfKey(const std::string& key) {
  if (key == "*") return kEveryScreen;
  const auto names = menuScreenNames();
  const auto found =
      std::find_if(names.begin(), names.end(), [&](const ScreenName& s) { return s.key == key; });
  return found != names.end() ? *found : ScreenName{key, key, "(not on the menu)"};
}

forms::PossibleValues screenLookup() {
  forms::PossibleValues list{{"Screen", "Caption"}, {{kEveryScreen.number, kEveryScreen.caption}}};
  for (const auto& s : menuScreenNames()) list.rows.push_back({s.number, s.caption});
  return list;
}

}  // namespace corvena::admin
