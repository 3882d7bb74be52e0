#pragma once
// What AR and the GL say, read at the start and at the end of a day's work: AR
// per account must change as the GL does, and cash as the checks received.

#include <map>
#include <string>
#include <vector>

#include "platform/db/database.h"

namespace corvena::ar {

struct Books {
  // Released documents' balances by AR account, debits positive, credits negative.
  std::map<std::string, double> ar;
  // Debits less credits by account.
  std::map<std::string, double> gl;
  // Released payments and prepayments deposited to the cash account, less
  // those reversed (checks returned).
  double checksReceived = 0;
  std::string cash;
};

Books readBooks(db::Database& db);

// One line per account where AR and the GL moved apart between the two
// readings, and one for cash when it moved other than by the checks received.
std::vector<std::string> booksDisagree(const Books& before, const Books& after);

}  // namespace corvena::ar
