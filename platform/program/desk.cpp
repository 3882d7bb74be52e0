#include "platform/program/desk.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "platform/program/exit_codes.h"
#ifdef CORVENA_HAS_GUI
#include "platform/ui/gui.h"
#include "platform/ui/watched_ui.h"
#endif

namespace corvena::program {

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

void openDesk(forms::Session& session, int& argc, char** argv) {
  session.setUi(ui::createGuiUi(argc, argv));
}

int showDesk(forms::Session& session, int& argc, char** argv) {
  return ui::runGui(session, argc, argv);
}

void closeDesk(forms::Session& session) {
  ui::closeGui(session);
}

bool watchingDriven() {
  const char* visible = std::getenv("CORVENA_AUTOMATION_VISIBLE");
  return visible && std::string_view(visible) == "1" && desktopAvailable();
}

void watchDriven(forms::Session& session, int& argc, char** argv) {
  ui::startWatching(session, argc, argv);
}

void endWatching(forms::Session& session, bool handedOver) {
  ui::stopWatching(session);
  if (!handedOver) ui::closeGui(session);
}

int screenshotAfterScript(forms::Session& session, int scriptResult) {
  const auto path = ui::screenshotRequest();
  if (!path) return scriptResult;
  const bool saved = ui::saveScreenshot(session, *path);
  ui::closeGui(session);
  if (saved) return scriptResult;
  std::cerr << "Cannot write the screenshot " << *path << "\n";
  return kExitFailed;
}

#else

bool desktopAvailable() {
  return false;
}
void openDesk(forms::Session&, int&, char**) {}
int showDesk(forms::Session&, int&, char**) {
  return kExitUsage;
}
void closeDesk(forms::Session&) {}
bool watchingDriven() {
  return false;
}
void watchDriven(forms::Session&, int&, char**) {}
void endWatching(forms::Session&, bool) {}

int screenshotAfterScript(forms::Session&, int scriptResult) {
  if (!hasEnv("CORVENA_SCREENSHOT")) return scriptResult;
  std::cerr << "This build has no desktop renderer: no screenshot.\n";
  return kExitFailed;
}

#endif

}  // namespace corvena::program
