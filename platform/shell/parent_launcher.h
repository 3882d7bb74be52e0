#pragma once
// Starting a screen from the host shell: its own process, with the sign-on
// context on its command line.

#include <string>
#include <vector>

#include "platform/signon/sign_on_context.h"

namespace corvena::shell {

// The arguments a screen gets: the context's options, then the start parameters.
std::vector<std::string> screenArguments(const signon::SignOnContext& context,
                                         const std::vector<std::string>& parameters = {});
// Starts the program; its process id, or -1 when it could not be started.
long launchScreen(const std::string& programPath, const signon::SignOnContext& context,
                  const std::vector<std::string>& parameters = {});

}  // namespace corvena::shell
