#pragma once
// Demo company data: a small company with three national accounts, and a scaled
// variant (one parent, many children and documents) for benchmarks. Both fill in
// one transaction: all of it or nothing.

#include "platform/db/database.h"

namespace corvena::demo {

// The business period and date the demo's documents are dated against.
inline constexpr const char* kDemoPeriod = "202612";
inline constexpr Date kDemoToday{2026, 12, 15};

void fillDemo(db::Database& db);

// The setup rows (company, GL, AR, module setup) when absent, then the parent
// "SCALE-PARENT" with `children` children and `documents` open documents spread over them.
void fillScaled(db::Database& db, int children, int documents);

}  // namespace corvena::demo
