#pragma once
// Delete, level reset, per-level save and the release after the save.

namespace corvena::payapp {

void registerSaveHandlers();

}  // namespace corvena::payapp
