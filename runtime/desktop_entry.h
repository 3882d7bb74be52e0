#pragma once
// The desktop side of a screen program's entry: with a display (and a build
// with the desktop renderer) the screen opens in a window; a screenshot can be
// asked for with CORVENA_SCREENSHOT=FILE.png, after a script too.

namespace corvena::runtime {

class ScreenProcess;

// A build with the renderer, and a display (or Qt's offscreen platform) to draw on.
bool desktopAvailable();
// Before start-up, so start-up's own messages are drawn as well.
void prepareDesktop(ScreenProcess& process, int& argc, char** argv);
// Runs the screen in its window until the user closes it; the exit code.
int runDesktop(ScreenProcess& process, int& argc, char** argv);
// After a script: draws the screen into the asked-for PNG, if any. The
// script's result, or 1 when the picture could not be written.
int screenshotAfterScript(ScreenProcess& process, int scriptResult);

}  // namespace corvena::runtime
