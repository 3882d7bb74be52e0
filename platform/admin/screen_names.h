#pragma once
// Screens as PARENT's menu names them (number and caption), for rights kept by
// each screen's five-digit key.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/events.h"

namespace corvena::admin {

struct ScreenName {
  std::string key;     // "18300", or "*"
  std::string number;  // "QM.183.00"; a key off the menu shows as itself
  std::string caption;
};

// The menu's screens a right means something on, in the menu's order.
std::vector<ScreenName> menuScreenNames();
// A screen typed as its program, number or key ("QM18300", "QM.183.00", "18300"), or "*".
std::optional<ScreenName> screenTyped(std::string_view text);
ScreenName screenOfKey(const std::string& key);
// The look-up of the screens, "*" first: number and caption.
forms::PossibleValues screenLookup();

}  // namespace corvena::admin
