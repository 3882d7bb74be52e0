#include "platform/program/desk.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "platform/program/exit_codes.h"
#ifdef CORVENA_HAS_GUI
#include <dlfcn.h>

#include <filesystem>

#include "platform/ui/desk_entry.h"
#endif

namespace corvena::program {

namespace {

bool hasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

#ifdef CORVENA_HAS_GUI

namespace {

// lib/ beside the program's bin/, in a build and an installation alike; a
// program that has none (a test) opens the build's.
std::string deskModulePath() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto beside = self.parent_path().parent_path() / "lib" / "corvena_desk.so";
    if (fs::is_regular_file(beside, ec)) return beside.string();
  }
  return CORVENA_BUILD_LIB_DIR "/corvena_desk.so";
}

const ui::DeskEntry* loadDesk() {
  const std::string path = deskModulePath();
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  const auto entry =
      module ? reinterpret_cast<const ui::DeskEntry* (*)()>(::dlsym(module, "corvena_desk_entry"))
             : nullptr;
  if (entry) return entry();
  std::cerr << "The desktop renderer " << path << " cannot be loaded: " << ::dlerror() << "\n";
  return nullptr;
}

// Opened once, on the first window; never closed, as Qt is never unloaded.
const ui::DeskEntry* desk() {
  static const ui::DeskEntry* entry = loadDesk();
  return entry;
}

}  // namespace

bool desktopAvailable() {
  return (hasEnv("DISPLAY") || hasEnv("WAYLAND_DISPLAY") || hasEnv("QT_QPA_PLATFORM")) && desk();
}

void openDesk(forms::Session& session, int& argc, char** argv) {
  desk()->open(session, argc, argv);
}

int showDesk(forms::Session& session, int& argc, char** argv) {
  return desk()->run(session, argc, argv);
}

void closeDesk(forms::Session& session) {
  if (desk()) desk()->close(session);
}

bool watchingDriven() {
  const char* visible = std::getenv("CORVENA_AUTOMATION_VISIBLE");
  return visible && std::string_view(visible) == "1" && desktopAvailable();
}

void watchDriven(forms::Session& session, int& argc, char** argv) {
  desk()->startWatching(session, argc, argv);
}

void endWatching(forms::Session& session, bool handedOver) {
  desk()->stopWatching(session);
  if (!handedOver) desk()->close(session);
}

int screenshotAfterScript(forms::Session& session, int scriptResult) {
  if (!hasEnv("CORVENA_SCREENSHOT")) return scriptResult;
  const std::string path = std::getenv("CORVENA_SCREENSHOT");
  const bool saved = desk() && desk()->saveScreenshot(session, path);
  if (desk()) desk()->close(session);
  if (saved) return scriptResult;
  std::cerr << "Cannot write the screenshot " << path << "\n";
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
