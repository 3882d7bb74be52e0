#pragma once
// A host screen run as its own program through the launcher: signed on
// directly to the context its options, the environment or the host shell give,
// then its form loaded with its handlers.

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/session.h"
#include "platform/signon/sign_on_context.h"

namespace corvena::program {

struct HostScreenProgram {
  std::string program;  // "0801000"
  std::function<forms::FormDesc()> form;
  // Creates the screen's handlers on the loaded form, given the program's start
  // parameters (the words after the options); kept for the run.
  std::function<std::shared_ptr<void>(forms::Form&, const std::vector<std::string>&)> attach;
  // Whatever the user's rights on it, only an administrator opens it.
  bool administratorsOnly = false;
};

// A sign-on refused, with the number a driving caller is told.
class SignOnRefused : public std::runtime_error {
 public:
  SignOnRefused(int number, const std::string& text) : std::runtime_error(text), number(number) {}
  int number;
};

// Signs the session on to the context and opens the screen on it; the handlers
// to keep for the run. Throws SignOnRefused when the sign-on is refused.
std::shared_ptr<void> openHostScreen(forms::Session& session, const signon::SignOnContext& signOn,
                                     const HostScreenProgram& screen,
                                     const std::vector<std::string>& parameters = {});

int runHostScreen(int argc, char** argv, const HostScreenProgram& screen);

}  // namespace corvena::program
