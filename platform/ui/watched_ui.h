#pragma once
// A driven screen on the desk while it is driven (CORVENA_AUTOMATION_VISIBLE=1),
// for whoever wants to see what a release types: its windows follow the
// requests, while what it says still goes to the driver's headless interface,
// and from there back to its caller. Mouse and keyboard reach its windows only
// once it is handed over to the clerk.

#include "platform/forms/session.h"

namespace corvena::ui {

// After the screen is loaded: its main form shown, the desk's input held off.
void startWatching(forms::Session& session, int& argc, char** argv);
// Handed over or done: the desk takes input again and the session has the
// desk's own interface, with the windows as they are.
void stopWatching(forms::Session& session);

}  // namespace corvena::ui
