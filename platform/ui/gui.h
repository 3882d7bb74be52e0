#pragma once
// Running a screen session at a desk. A screen program's entry calls
// createGuiUi before loading its form (so start-up messages are drawn too)
// and runGui afterwards.

#include <memory>
#include <optional>
#include <string>

#include "platform/forms/session.h"
#include "platform/forms/ui.h"

namespace corvena::ui {

// The renderer; makes this process's Qt application on first use.
std::unique_ptr<forms::Ui> createGuiUi(int& argc, char** argv);

// Shows the session's main form in a window and runs until it is closed; the
// session gets the renderer when it has another. When CORVENA_SCREENSHOT names
// a file, draws the window into that PNG instead and returns (0, or 1 when the
// file could not be written).
int runGui(forms::Session& session, int& argc, char** argv);

// Draws the session's main form window into a PNG; false when it cannot be written.
bool saveScreenshot(forms::Session& session, const std::string& path);

// Takes the renderer down (its windows, then Qt itself) while the process
// still runs: Qt must not be torn down among the statics at exit. The session
// goes on headless, messages printed to standard error.
void closeGui(forms::Session& session);

// The PNG path CORVENA_SCREENSHOT asks for, if any.
std::optional<std::string> screenshotRequest();

}  // namespace corvena::ui
