// The renderer module's entry: the functions of gui.h and watched_ui.h that a
// screen program calls, behind one name it can look up.
#include "platform/ui/desk_entry.h"

#include "platform/ui/gui.h"
#include "platform/ui/watched_ui.h"

namespace {

void openDesk(corvena::forms::Session& session, int& argc, char** argv) {
  session.setUi(corvena::ui::createGuiUi(argc, argv));
}

constexpr corvena::ui::DeskEntry kEntry{openDesk,
                                        corvena::ui::runGui,
                                        corvena::ui::closeGui,
                                        corvena::ui::startWatching,
                                        corvena::ui::stopWatching,
                                        corvena::ui::saveScreenshot};

}  // namespace

extern "C" const corvena::ui::DeskEntry* corvena_desk_entry() {
  return &kEntry;
}
