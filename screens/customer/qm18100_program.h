#pragma once
// QM18100 as a screen program: its form and handlers for the runtime's entry.

#include "runtime/screen_program.h"

namespace corvena::qm18100 {

const runtime::ScreenDefinition& QM18100Program();

}  // namespace corvena::qm18100
