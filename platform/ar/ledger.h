#pragma once
// The AR ledger: releasing a batch of documents and applications into AR, all
// or nothing, and what must hold of the ledger afterwards.

#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::ar {

// Who releases and when: the audit stamps of what the release writes, and
// whether the user holds the release right on the screen releasing.
struct Releaser {
  std::string user;
  std::string program;
  Date today;
  bool mayRelease = false;
};

// Releases the AR batch in one transaction: its documents become released and
// open, its applications lower the balances they apply to, its GL lines post.
// Empty when released; otherwise why not, and nothing was written. A releaser
// without the release right is refused whatever the batch.
std::string releaseBatch(db::Database& db, const std::string& batNbr, const Releaser& by);

// One line per thing that does not hold in the ledger; none when all holds.
std::vector<std::string> ledgerProblems(db::Database& db);

}  // namespace corvena::ar
