#pragma once
// How every screen program ends, whichever kind it is: a script's result, or
// why the screen never ran or stopped.

#include "platform/automation/script_driver.h"

namespace corvena::program {

inline constexpr int kExitPassed = automation::ScriptPassed;  // every expectation held
inline constexpr int kExitFailed = automation::ScriptFailed;  // one did not
inline constexpr int kExitUsage = automation::ScriptBroken;   // a script error, or bad options
inline constexpr int kExitNoSignOn = 3;                       // no sign-on or no database
inline constexpr int kExitFault = 4;                          // a fault no event boundary caught

}  // namespace corvena::program
