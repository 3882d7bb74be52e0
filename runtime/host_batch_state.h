#pragma once
// Whether AR released a host batch a release drove: a screen records its own
// progress only on what AR really did.

#include <string>

#include "runtime/host/kelpapi.h"

namespace corvena::runtime {

// Reads through the given spare cursor of the screen.
bool HostBatchReleased(host::Cursor& cursor, const std::string& hostBatch);

}  // namespace corvena::runtime
