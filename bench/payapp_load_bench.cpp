// The grid of a national account with 200 children and 20,000 open documents:
// LoadDetailLines and each of the six sorts, beside the floor of one bare query
// reading the same documents through the SQLite C API.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <chrono>
#include <string>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "bench/server_floor.h"
#include "runtime/host/kelpapi.h"
#include "screens/payapp/payapp_grid.h"

namespace corvena::bench {
namespace {

constexpr int kChildren = 200;
constexpr int kDocuments = 20000;
constexpr const char* kParent = "SCALE-PARENT";

// The scaled company, with every 50th document paid by another batch and every
// 40th touched by an unreleased host payment.
class LoadCompany {
 public:
  LoadCompany() : company_(kChildren, kDocuments) {
    auto db = db::Database::open(company_.path());
    db::Transaction tx(*db);
    db->exec(
        "INSERT INTO XNAHeader (NABatNbr, CpnyId, CustId, Status, vond1)"
        " VALUES ('0000099999', 'DEMO', 'SCALE-PARENT', 'O', 'NP')");
    db::Statement docs = db->prepare(openDocumentsSql());
    db::Statement detail = db->prepare(
        "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, CuryApplAmt)"
        " VALUES ('0000099999', ?1, ?2, ?3, 1)");
    db::Statement adjust = db->prepare(
        "INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, AdjgDocType,"
        " AdjgRefNbr, AdjAmt, Rlsed) VALUES ('HOLD', ?1, ?2, ?3, 'PA', 'HOLDCHK', 1, 0)");
    for (int i = 0; docs.step(); ++i) {
      db::Statement* target = i % 50 == 0 ? &detail : i % 40 == 1 ? &adjust : nullptr;
      if (!target) continue;
      target->bind(1, docs.column(0));
      target->bind(2, docs.column(1));
      target->bind(3, docs.column(2));
      target->step();
      target->reset();
    }
    tx.commit();
  }
  std::string path() const { return company_.path(); }
  static std::string openDocumentsSql() {
    return "SELECT d.CustId, d.DocType, d.RefNbr FROM ARDoc d"
           " WHERE d.Rlsed = 1 AND d.OpenDoc = 1 AND d.DocType IN ('IN', 'DM', 'FI')"
           " AND d.CuryDocBal > 0 AND d.CustId IN (SELECT 'SCALE-PARENT' UNION"
           " SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = 'SCALE-PARENT')";
  }

 private:
  ScaledCompany company_;
};

LoadCompany& company() {
  static LoadCompany c;
  return c;
}

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// One bare query reading every column of the same documents.
double floorQueryMs() {
  if (benchServer())
    return serverQueryMs(company().path(),
                         "SELECT d.* FROM ARDoc d WHERE d.Rlsed = 1 AND d.OpenDoc = 1"
                         " AND d.DocType IN ('IN', 'DM', 'FI') AND d.CuryDocBal > 0"
                         " AND d.CustId IN (SELECT $1::text UNION SELECT SecondaryCustid FROM XNACustS"
                         " WHERE PrimaryCustId = $1) ORDER BY d.CustId, d.DueDate, d.RefNbr",
                         {kParent});
  sqlite3* db = nullptr;
  sqlite3_open_v2(company().path().c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  const std::string sql =
      "SELECT d.* FROM ARDoc d WHERE d.Rlsed = 1 AND d.OpenDoc = 1"
      " AND d.DocType IN ('IN', 'DM', 'FI') AND d.CuryDocBal > 0"
      " AND d.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS"
      " WHERE PrimaryCustId = ?1) ORDER BY d.CustId, d.DueDate, d.RefNbr";
  const auto start = std::chrono::steady_clock::now();
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
  sqlite3_bind_text(st, 1, kParent, -1, SQLITE_STATIC);
  long bytes = 0;
  while (sqlite3_step(st) == SQLITE_ROW) {
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
      bytes += sqlite3_column_bytes(st, c);
      benchmark::DoNotOptimize(sqlite3_column_text(st, c));
    }
  }
  sqlite3_finalize(st);
  const double ms = msSince(start);
  benchmark::DoNotOptimize(bytes);
  sqlite3_close(db);
  return ms;
}

double floorMs() {
  static const double ms = [] {
    double best = floorQueryMs();
    for (int i = 0; i < 4; ++i) best = std::min(best, floorQueryMs());
    return best;
  }();
  return ms;
}

void loadParent(PayAppScreen& s) {
  s.within([] {
    auto& a = payapp::payapp();
    a.bXNAHeader.CustId = kParent;
    a.bXNAHeader.Status = "O";
    a.bXNAHeader.NABatNbr = "";
    payapp::LoadDetailLines();
    return 0;
  });
}

void BM_FloorQuery(benchmark::State& state) {
  for (auto _ : state) state.SetIterationTime(floorQueryMs() / 1000);
  state.counters["floor_ms"] = floorMs();
  report(state, {1, 0});
}
BENCHMARK(BM_FloorQuery)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Into an empty grid, as when the clerk enters the parent on a fresh screen.
void BM_LoadDetailLines(benchmark::State& state) {
  double best = 1e300;
  double grown = 0;
  int lines = 0;
  Trips trips;
  for (auto _ : state) {
    PayAppScreen s(company().path());
    const std::size_t heapBefore = mallinfo2().uordblks;
    const auto start = std::chrono::steady_clock::now();
    trips = counted(s.database(), [&] { loadParent(s); });
    const double ms = msSince(start);
    grown = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(heapBefore);
    lines = s.lineCount();
    best = std::min(best, ms);
    state.SetIterationTime(ms / 1000);
  }
  state.counters["lines"] = lines;
  state.counters["ratio_to_floor"] = best / floorMs();
  state.counters["grid_MB"] = grown / (1024 * 1024);
  report(state, trips);
}
BENCHMARK(BM_LoadDetailLines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Over a full grid, as when another batch is recalled: the old lines go first.
void BM_ReloadDetailLines(benchmark::State& state) {
  PayAppScreen s(company().path());
  loadParent(s);
  double best = 1e300;
  Trips trips;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    trips = counted(s.database(), [&] { loadParent(s); });
    const double ms = msSince(start);
    best = std::min(best, ms);
    state.SetIterationTime(ms / 1000);
  }
  state.counters["ratio_to_floor"] = best / floorMs();
  report(state, trips);
}
BENCHMARK(BM_ReloadDetailLines)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SortDetailLines(benchmark::State& state) {
  static const char orders[] = {'D', 'R', 'T', 'A', 'F', 'C'};
  const std::string order(1, orders[state.range(0)]);
  state.SetLabel("sort " + order);
  PayAppScreen s(company().path());
  loadParent(s);
  Trips trips;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    trips = counted(s.database(), [&] {
      s.within([&] {
        payapp::payapp().bXHeader.SortOrder = order;
        payapp::SortDetailLines();
        return 0;
      });
    });
    state.SetIterationTime(msSince(start) / 1000);
  }
  state.counters["lines"] = s.lineCount();
  report(state, trips);
}
BENCHMARK(BM_SortDetailLines)
    ->DenseRange(0, 5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace corvena::bench
