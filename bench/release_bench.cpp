// Releasing a national-account payment of 1,000 applied lines over 200
// customers through the host's payment application screen, beside the floor:
// the same payments and applications built in the database and released by
// the ledger in one transaction.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "platform/ar/ledger.h"

namespace corvena::bench {
namespace {

constexpr int kChildren = 199;
constexpr int kDocuments = 1000;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Run {
  double seconds = 0;
  Trips trips;
  int lines = 0;
};

// Every line paid and the batch saved with Release Now, on a company of its own.
Run releaseThroughHostScreens() {
  ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
  ScaledCompany company(kChildren, kDocuments);
  PayAppScreen screen(company.path());
  screen.newPayment("99999999");
  for (int line = 0; line < screen.lineCount(); ++line) screen.payLine(line);
  screen.enter("cBatchHandling", "R");
  Run run;
  const auto start = Clock::now();
  run.trips = counted(screen.database(), [&] { screen.save(); });
  run.seconds = secondsSince(start);
  run.lines = screen.lineCount();
  if (screen.app().bXNAHeader.Status.trimmed() != "C") throw std::runtime_error("not released");
  return run;
}

// One payment per customer for its documents' balances, and their applications.
Run releaseFloor() {
  ScaledCompany company(kChildren, kDocuments);
  auto db = db::Database::open(company.path());
  const auto start = Clock::now();
  const std::int64_t statementsBefore = db->statementsRun();
  db::Transaction tx(*db);
  db->exec(
      "INSERT INTO Batch (BatNbr, Module, EditScrnNbr, Status, PerPost, CtrlTot)"
      " SELECT 'FLOOR', 'AR', '08030', 'H', '202612', SUM(CuryDocBal) FROM ARDoc"
      " WHERE CustId LIKE 'SCALE-%' AND Rlsed = 1 AND OpenDoc = 1 AND DocType IN ('IN', 'DM', 'FI');"
      "INSERT INTO ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt)"
      " SELECT 'FLOOR', CustId, 'PA', 'F' || substr(CustId, 7), SUM(CuryDocBal), SUM(CuryDocBal) FROM ARDoc"
      " WHERE CustId LIKE 'SCALE-%' AND Rlsed = 1 AND OpenDoc = 1 AND DocType IN ('IN', 'DM', 'FI')"
      " GROUP BY CustId;"
      "INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, AdjgDocType, AdjgRefNbr,"
      " AdjAmt, CuryAdjdAmt) SELECT 'FLOOR', CustId, DocType, RefNbr, 'PA', 'F' || substr(CustId, 7),"
      " CuryDocBal, CuryDocBal FROM ARDoc WHERE CustId LIKE 'SCALE-%' AND Rlsed = 1"
      " AND OpenDoc = 1 AND DocType IN ('IN', 'DM', 'FI')");
  const std::string why =
      ar::releaseBatch(*db, "FLOOR", ar::Releaser{"BENCH", "08030", demo::kDemoToday, true});
  tx.commit();
  Run run{secondsSince(start), {db->statementsRun() - statementsBefore, 0}, 0};
  if (!why.empty()) throw std::runtime_error(why);
  return run;
}

template <class Release>
void measured(benchmark::State& state, Release release) {
  for (auto _ : state) {
    try {
      const Run run = release();
      state.SetIterationTime(run.seconds);
      if (run.lines) state.counters["lines"] = run.lines;
      report(state, run.trips);
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
    }
  }
}

void BM_ReleaseThroughHostScreens(benchmark::State& state) {
  measured(state, releaseThroughHostScreens);
}
BENCHMARK(BM_ReleaseThroughHostScreens)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ReleaseFloor(benchmark::State& state) { measured(state, releaseFloor); }
BENCHMARK(BM_ReleaseFloor)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// On a shared machine one run of each swings with its neighbours' load: the
// two taken in turn, eleven times, and the ratio read from their medians.
void BM_ReleaseRatioOfMedians(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<double> releases, floors, ratios;
    try {
      for (int i = 0; i < 11; ++i) {
        releases.push_back(releaseThroughHostScreens().seconds);
        floors.push_back(releaseFloor().seconds);
        ratios.push_back(releases.back() / floors.back());
      }
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    state.SetIterationTime(median(releases));
    state.counters["floor_ms"] = median(floors) * 1000;
    state.counters["ratio"] = median(releases) / median(floors);
    state.counters["ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["ratio_max"] = *std::max_element(ratios.begin(), ratios.end());
  }
}
BENCHMARK(BM_ReleaseRatioOfMedians)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvena::bench
