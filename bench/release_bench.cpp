// Releasing a national-account payment of 1,000 applied lines over 200
// customers through the host's payment application screen, beside the floor:
// the same payments and applications built in the database and released by
// the ledger in one transaction.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "platform/ar/ledger.h"

namespace corvena::bench {
namespace {

constexpr int kChildren = 199;
constexpr int kDocuments = 1000;

void BM_ReleaseThroughHostScreens(benchmark::State& state) {
  ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
  for (auto _ : state) {
    ScaledCompany company(kChildren, kDocuments);
    PayAppScreen screen(company.path());
    screen.newPayment("99999999");
    for (int line = 0; line < screen.lineCount(); ++line) screen.payLine(line);
    screen.enter("cBatchHandling", "R");
    const auto start = std::chrono::steady_clock::now();
    const Trips trips = counted(screen.database(), [&] { screen.save(); });
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (screen.app().bXNAHeader.Status.trimmed() != "C") state.SkipWithError("not released");
    state.counters["lines"] = screen.lineCount();
    report(state, trips);
  }
}
BENCHMARK(BM_ReleaseThroughHostScreens)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// One payment per customer for its documents' balances, and their applications.
void BM_ReleaseFloor(benchmark::State& state) {
  for (auto _ : state) {
    ScaledCompany company(kChildren, kDocuments);
    auto db = db::Database::open(company.path());
    const auto start = std::chrono::steady_clock::now();
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
    report(state, {db->statementsRun() - statementsBefore, 0});
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!why.empty()) state.SkipWithError(why.c_str());
  }
}
BENCHMARK(BM_ReleaseFloor)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvena::bench
