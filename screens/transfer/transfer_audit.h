#pragma once
// Who changed a row last, as the release's own statements stamp it.

#include <string>

namespace corvena::transfer {

// The columns a release statement sets besides its own: the releasing user's
// last-update stamp (", LUpd_Date = ..."), whoever saved the batch last.
std::string ReleaseStamp();

}  // namespace corvena::transfer
