#pragma once
// What a benchmark's run costs that does not depend on the machine: the
// statements a database ran, the requests sent to driven host screens and the
// statements those screens ran.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "platform/automation/driven_process.h"
#include "platform/db/database.h"

namespace corvena::bench {

struct Trips {
  std::int64_t statements = 0, requests = 0, screenStatements = 0;
};

// The round trips of one call of `work` on the database.
template <class Work>
Trips counted(const db::Database& db, Work work) {
  using automation::DrivenProcess;
  const Trips before{db.statementsRun(), DrivenProcess::requestsSent(),
                     DrivenProcess::screenStatements()};
  work();
  return {db.statementsRun() - before.statements, DrivenProcess::requestsSent() - before.requests,
          DrivenProcess::screenStatements() - before.screenStatements};
}

// A run's round trips beside its time.
inline void report(benchmark::State& state, const Trips& run) {
  state.counters["statements"] = static_cast<double>(run.statements);
  state.counters["requests"] = static_cast<double>(run.requests);
  if (run.requests) state.counters["screen_statements"] = static_cast<double>(run.screenStatements);
}

}  // namespace corvena::bench
