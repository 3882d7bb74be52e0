#pragma once
// What a user may actually do, screen by screen: the user's own grants and
// every group's together, each letter traced to the grant that gives it.

#include <string>
#include <vector>

#include "platform/admin/screen_names.h"
#include "platform/signon/user_directory.h"

namespace corvena::admin {

struct EffectiveRight {
  ScreenName screen;
  std::string letters;
  std::string from;  // "own: VI; PAYMENTS: VIUD; CLERKS on every screen: V"
};

// As saved; screens the user may do nothing on are left out.
std::vector<EffectiveRight> effectiveRights(signon::UserDirectory& users, const std::string& user);

}  // namespace corvena::admin
