#include "runtime/desktop_entry.h"

#include <cstdlib>
#include <iostream>

#include "runtime/screen_program.h"
#ifdef CORVENA_HAS_GUI
#include "platform/ui/gui.h"
#endif

namespace corvena::runtime {

namespace {

bool hasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

#ifdef CORVENA_HAS_GUI

bool desktopAvailable() {
  return hasEnv("DISPLAY") || hasEnv("WAYLAND_DISPLAY") || hasEnv("QT_QPA_PLATFORM");
}

void prepareDesktop(ScreenProcess& process, int& argc, char** argv) {
  process.session().setUi(ui::createGuiUi(argc, argv));
}

int runDesktop(ScreenProcess& process, int& argc, char** argv) {
  // Closing the screen (unload handler, ScreenExit) is the caller's, as after a script.
  int code = 0;
  try {
    code = ui::runGui(process.session(), argc, argv);
  } catch (const host::ProcessEnded& ended) {
    code = ended.exitCode;
  }
  ui::closeGui(process.session());
  return code;
}

int screenshotAfterScript(ScreenProcess& process, int scriptResult) {
  const auto path = ui::screenshotRequest();
  if (!path) return scriptResult;
  const bool saved = ui::saveScreenshot(process.session(), *path);
  ui::closeGui(process.session());
  if (saved) return scriptResult;
  std::cerr << "Cannot write the screenshot " << *path << "\n";
  return 1;
}

#else

bool desktopAvailable() {
  return false;
}
void prepareDesktop(ScreenProcess&, int&, char**) {}
int runDesktop(ScreenProcess&, int&, char**) {
  return 2;
}

int screenshotAfterScript(ScreenProcess&, int scriptResult) {
  if (!hasEnv("CORVENA_SCREENSHOT")) return scriptResult;
  std::cerr << "This build has no desktop renderer: no screenshot.\n";
  return 1;
}

#endif

}  // namespace corvena::runtime
