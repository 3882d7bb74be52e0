#pragma once
// What the screen adds to the update control's save and delete: audit stamps,
// the release's own columns kept as stored, the line check before a release,
// and the refusal to delete a closed batch.

namespace corvena::transfer {

int Update1_SaveLevel(int level);
int Update1_DeleteRequested(int level);
void Update1_LevelReset(int level);
void registerSaveHandlers();

}  // namespace corvena::transfer
