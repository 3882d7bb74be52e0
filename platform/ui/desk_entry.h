#pragma once
// The desk as a screen program reaches it. The renderer is a module of its own,
// opened only when a window is asked for: a screen run from a script or driven
// by another program starts without loading the GUI libraries at all.
#include <string>

namespace corvena::forms {
class Session;
}

namespace corvena::ui {

struct DeskEntry {
  void (*open)(forms::Session& session, int& argc, char** argv);
  int (*run)(forms::Session& session, int& argc, char** argv);
  void (*close)(forms::Session& session);
  void (*startWatching)(forms::Session& session, int& argc, char** argv);
  void (*stopWatching)(forms::Session& session);
  bool (*saveScreenshot)(forms::Session& session, const std::string& path);
};

}  // namespace corvena::ui

// The module's one entry point, found by name.
extern "C" const corvena::ui::DeskEntry* corvena_desk_entry();
