#pragma once
// How a running host shell makes itself known to the screens of the same user:
// a small file naming its process, whether its login is done, and the sign-on
// context it gives the screens it starts. A file whose process is gone counts as
// no shell, and so does one another user could have written.

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/signon/sign_on_context.h"

namespace corvena::signon {

struct ShellPresence {
  long pid = 0;
  bool loginReady = false;
  std::optional<SignOnContext> context;  // set once the login is done
};

// $XDG_RUNTIME_DIR/corvena-shell when set, else /tmp/corvena-<uid>/shell (the
// directory made private to the user); CORVENA_SHELL_PRESENCE overrides both.
std::string shellPresencePath();

class PresenceRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Written only into a directory the user owns and nobody else may enter (made
// 0700 when missing), as a new file of mode 0600: the file carries the sign-on's
// ticket. Throws PresenceRefused, saying why, when the directory is anyone else's.
void publishShellPresence(const ShellPresence& presence, const std::string& path);
void withdrawShellPresence(const std::string& path);
// The published presence when the file exists, parses and its process is alive,
// and the file and its directory are the user's own and nobody else can write them.
std::optional<ShellPresence> findShellPresence(const std::string& path);

}  // namespace corvena::signon
