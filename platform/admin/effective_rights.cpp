#include "platform/admin/effective_rights.h"

#include <algorithm>
#include <utility>

namespace corvena::admin {

namespace {

// A grant with who holds it: "own", or the group.
using Held = std::pair<std::string, signon::ScreenGrant>;

std::vector<Held> heldBy(signon::UserDirectory& users, const std::string& user) {
  std::vector<Held> held;
  for (auto& g : users.grants(user)) held.emplace_back("own", std::move(g));
  for (const auto& group : users.groupsOf(user))
    for (auto& g : users.grants(group)) held.emplace_back(group, std::move(g));
  return held;
}

// The menu's screens, then any other screen a grant names.
std::vector<ScreenName> screensOf(const std::vector<Held>& held) {
  auto screens = menuScreenNames();
  for (const auto& [who, g] : held) {
    const bool listed =
        g.screen == "*" || std::any_of(screens.begin(), screens.end(),
                                       [&](const auto& s) { return s.key == g.screen; });
    if (!listed) screens.push_back(screenOfKey(g.screen));
  }
  return screens;
}

EffectiveRight onScreen(const ScreenName& screen, const std::vector<Held>& held) {
  forms::ScreenRights rights = forms::ScreenRights::none();
  std::string from;
  for (const auto& [who, g] : held) {
    if ((g.screen != screen.key && g.screen != "*") || g.letters.empty()) continue;
    rights |= forms::ScreenRights::fromLetters(g.letters);
    from += (from.empty() ? "" : "; ") + who + (g.screen == "*" ? " on every screen" : "") + ": " +
            g.letters;
  }
  return {screen, rights.letters(), from};
}

}  // namespace

std::vector<EffectiveRight> effectiveRights(signon::UserDirectory& users, const std::string& user) {
  if (users.isAdministrator(user)) return {{screenOfKey("*"), "VIUDR", "administrator"}};
  const auto held = heldBy(users, user);
  std::vector<EffectiveRight> out;
  for (const auto& screen : screensOf(held))
    if (auto right = onScreen(screen, held); !right.letters.empty())
      out.push_back(std::move(right));
  return out;
}

}  // namespace corvena::admin
