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
// CORVENA_AUTOMATION_VISIBLE=1 and a desk: a driven screen is shown while
// driven, read-only until it is handed over.
bool watchingDriven();
// After start-up, when watchingDriven(): the screen on the desk.
void watchDriven(forms::Session& session, int& argc, char** argv);
// Its requests ended: handed over, the desk's own; else the desk is taken down.
void endWatching(forms::Session& session, bool handedOver);
// After a script: draws the screen into the asked-for PNG, if any. The
// script's result, or 1 when the picture could not be written.
int screenshotAfterScript(forms::Session& session, int scriptResult);

}  // namespace corvena::program
