#pragma once
// The runtime module every screen carries: the process-wide state that start-up
// fills, the start-up and shutdown routines, and the screen's customisation
// controls. One screen program is one process, so this state is process-wide.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/db/record.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "runtime/host/host_process.h"

namespace corvena::runtime {

class CorvenaVBTApp;

// The interface version both this module and the declarations module carry.
inline constexpr std::string_view InterfaceVersion = "00.26";
// The declarations module's copy of the interface version.
extern std::string ApplicDeclarationsVersion;

extern std::int16_t StartMode;
extern std::int32_t StartKey;
extern forms::Control* NoControl;
extern std::shared_ptr<CorvenaVBTApp> ScreenApp;
extern std::shared_ptr<host::ScreenRegistration> ScreenHostObject;
extern std::string LineBreak;
extern std::string TabText;
extern Date BlankDate;
// The process command line as the host passes it on (the start parameters).
extern std::string CommandLineText;

// What differs between the generations of the runtime the screens carry.
struct RuntimeOptions {
  // Registry key of the host's screen-development tools (below HKEY_LOCAL_MACHINE).
  std::string toolsKey;
  // CenterForm adds GetScreenTopExtra to GetScreenTop.
  bool topExtra = true;
};
RuntimeOptions standardRuntime();
// The transfer screen's generation.
RuntimeOptions transferRuntime();
extern RuntimeOptions Runtime;

// Back to the state before start-up (tests start several screens in one process).
void resetRuntimeState();

void RuntimeInit();
void ScreenInit();
[[noreturn]] void ScreenExit(std::string& text1, std::string& text2);
void OnScreenExit();
void StartParent();
void SqlConnect();
bool HasRetainedProject();

void CenterForm(forms::Form& form);
void SetMousePointer(int pointer);

inline constexpr int PointerDefault = 0;
inline constexpr int PointerHourglass = 11;

// The generic form the host's customisation creates forms from, and the
// element 0 of the control arrays every form a screen shows carries.
const forms::FormDesc& new_form();
std::vector<forms::ControlDesc> customisationArrays();

}  // namespace corvena::runtime
