#pragma once
// A host screen run as its own program: signed on from its options, the
// environment or the host shell, then driven by a screen script or shown at a
// desk. Exit 0 when a script's expectations held, 1 when one did not, 2 for a
// bad script or argument, 3 without a sign-on or database, 4 for a fault.

#include <functional>
#include <memory>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/session.h"

namespace corvena::ar {

struct HostScreenProgram {
  std::string program;  // "0801000"
  std::function<forms::FormDesc()> form;
  // Creates the screen's handlers on the loaded form; kept for the run.
  std::function<std::shared_ptr<void>(forms::Form&)> attach;
};

int runHostScreen(int argc, char** argv, const HostScreenProgram& screen);

}  // namespace corvena::ar
