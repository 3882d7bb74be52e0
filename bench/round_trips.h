#pragma once
// What a benchmark's run costs that does not depend on the machine: the
// statements a database ran and the requests sent to driven host screens.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/automation/driven_process.h"
#include "platform/db/database.h"

namespace corvena::bench {

struct Trips {
  std::int64_t statements = 0, requests = 0;
};

// The round trips of one call of `work` on the database.
template <class Work>
Trips counted(const db::Database& db, Work work) {
  const Trips before{db.statementsRun(), automation::DrivenProcess::requestsSent()};
  work();
  return {db.statementsRun() - before.statements,
          automation::DrivenProcess::requestsSent() - before.requests};
}

// A run's round trips beside its time.
inline void report(benchmark::State& state, const Trips& run) {
  state.counters["statements"] = static_cast<double>(run.statements);
  state.counters["requests"] = static_cast<double>(run.requests);
}

}  // namespace corvena::bench
