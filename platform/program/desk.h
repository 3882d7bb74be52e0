#pragma once
// The desk side of a screen program: with a display (and a build with the
// desktop renderer) the screen opens in a window; a screenshot can be asked for
// with CORVENA_SCREENSHOT=FILE.png, after a script too.

namespace corvena::forms {
class Session;
}

namespace corvena::program {

// A build with the renderer, and a display (or Qt's offscreen platform) to draw on.
bool desktopAvailable();
// Before start-up, so start-up's own messages are drawn as well.
void openDesk(forms::Session& session, int& argc, char** argv);
// Runs the screen in its window until the user closes it; the exit code.
// Closing the screen (its unload handler) is the caller's, as after a script.
int showDesk(forms::Session& session, int& argc, char** argv);
void closeDesk(forms::Session& session);
// After a script: draws the screen into the asked-for PNG, if any. The
// script's result, or 1 when the picture could not be written.
int screenshotAfterScript(forms::Session& session, int scriptResult);

}  // namespace corvena::program
