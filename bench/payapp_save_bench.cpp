// Saving a payment batch with 5,000 applied lines, beside its floors: the same
// 5,000 XNADetail rows inserted with bare SQL in one transaction, and those
// inserts followed by the save's two document checks, bare.

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <vector>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "bench/server_floor.h"
#include "platform/db/pg_dialect.h"
#include "runtime/host/kelpapi.h"

namespace corvena::bench {
namespace {

constexpr int kLines = 5000;

// A saved batch with every one of the 5,000 documents paid in full.
struct AppliedBatch {
  ScaledCompany company{100, kLines};
  PayAppScreen screen{company.path()};
  std::string batch;

  AppliedBatch() {
    screen.newPayment("999999999");
    for (int i = 0; i < screen.lineCount(); ++i) screen.payLine(i);
    screen.save();
    batch = screen.app().bXNAHeader.NABatNbr.trimmed();
  }

  void exec(const std::string& sql) {
    screen.within([&] {
      screen.session().database().exec(sql);
      return 0;
    });
  }

  // As before the batch's first save: no stored detail, every line to be stamped and written.
  void unsaved() {
    exec("DELETE FROM XNADetail WHERE NABatNbr = '" + batch + "'");
    screen.within([&] {
      forms::LineArray* lines = screen.session().grids().lineArrayOf(screen.grid());
      for (std::size_t i = 0; i < lines->size(); ++i) lines->line(i).state = forms::kLineUpdated;
      host::LevelChangeSet(1, forms::kLineUpdated);
      return 0;
    });
  }

  std::vector<XNADetail> rows() {
    std::vector<XNADetail> out;
    screen.within([&] {
      auto st = screen.session().database().run("XNADetail_BatNbr " + db::textLiteral(batch));
      XNADetail row;
      while (st.step()) {
        st.readInto(row);
        out.push_back(row);
      }
      return 0;
    });
    return out;
  }
};

AppliedBatch& appliedBatch() {
  static AppliedBatch b;
  return b;
}

void BM_SaveBatchOf5000AppliedLines(benchmark::State& state) {
  AppliedBatch& b = appliedBatch();
  bool saved = true;
  Trips trips;
  for (auto _ : state) {
    state.PauseTiming();
    b.unsaved();
    state.ResumeTiming();
    trips = counted(b.screen.database(), [&] { saved = b.screen.save() && saved; });
  }
  state.counters["rows"] = static_cast<double>(b.rows().size());
  report(state, trips);
  if (!saved) state.SkipWithError("the save was refused");
}
BENCHMARK(BM_SaveBatchOf5000AppliedLines)->Unit(benchmark::kMillisecond);

void bindText(sqlite3_stmt* st, int i, const std::string& text) {
  sqlite3_bind_text(st, i, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void checkBare(sqlite3* db, const std::string& sql, const std::string& batch) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
  bindText(st, 1, batch);
  while (sqlite3_step(st) == SQLITE_ROW) {
  }
  sqlite3_finalize(st);
}

// The same rows, bare: one prepared insert in one transaction, with the checks
// given before the commit.
void insertBare(sqlite3* db, const std::vector<XNADetail>& rows,
                const std::vector<std::string>& checks, const std::string& batch) {
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db,
                     "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, ARRefNbr, CpnyId, "
                     "CuryApplAmt, CuryId, DocDate, DocAmt, DetailFlag, DiscAmt, LineStatus, "
                     "Crtd_Date, Crtd_Prog, Crtd_User, LUpd_Date, LUpd_Prog, LUpd_User) VALUES "
                     "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, "
                     "?18, ?19)",
                     -1, &st, nullptr);
  for (const XNADetail& r : rows) {
    int i = 0;
    bindText(st, ++i, r.NABatNbr.trimmed());
    bindText(st, ++i, r.CustId.trimmed());
    bindText(st, ++i, r.DocType.trimmed());
    bindText(st, ++i, r.RefNbr.trimmed());
    bindText(st, ++i, r.ARRefNbr.trimmed());
    bindText(st, ++i, r.CpnyId.trimmed());
    sqlite3_bind_double(st, ++i, r.CuryApplAmt);
    bindText(st, ++i, r.CuryId.trimmed());
    bindText(st, ++i, r.DocDate.iso());
    sqlite3_bind_double(st, ++i, r.DocAmt);
    sqlite3_bind_int(st, ++i, r.DetailFlag);
    sqlite3_bind_double(st, ++i, r.DiscAmt);
    bindText(st, ++i, r.LineStatus.trimmed());
    bindText(st, ++i, r.Crtd_Date.iso());
    bindText(st, ++i, r.Crtd_Prog.trimmed());
    bindText(st, ++i, r.Crtd_User.trimmed());
    bindText(st, ++i, r.LUpd_Date.iso());
    bindText(st, ++i, r.LUpd_Prog.trimmed());
    bindText(st, ++i, r.LUpd_User.trimmed());
    sqlite3_step(st);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  for (const std::string& sql : checks) checkBare(db, sql, batch);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

void saveFloor(benchmark::State& state, bool withChecks) {
  AppliedBatch& b = appliedBatch();
  const std::vector<XNADetail> rows = b.rows();
  // The two statements the save runs over the batch's rows inside its transaction,
  // so that no document is taken twice: no way of writing rows removes their cost.
  std::vector<std::string> checks;
  for (const char* name : {"XNADetail_HeldElsewhere", "XNADetail_Overapplied"})
    if (withChecks) checks.push_back(b.screen.session().database().procedure(name)->statements.front());
  sqlite3* db = nullptr;
  if (!benchServer())
    sqlite3_open_v2(b.company.path().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  for (auto _ : state) {
    state.PauseTiming();
    b.exec("DELETE FROM XNADetail WHERE NABatNbr = '" + b.batch + "'");
    state.ResumeTiming();
    if (db) {
      insertBare(db, rows, checks, b.batch);
      continue;
    }
    serverInserts(b.company.path(), rows);
    for (const std::string& sql : checks)
      serverQueryMs(b.company.path(), db::pg::toPostgres(sql), {b.batch});
  }
  if (db) sqlite3_close(db);
  state.counters["rows"] = static_cast<double>(rows.size());
  report(state, {static_cast<std::int64_t>(rows.size()) + 2 + (withChecks ? 2 : 0), 0});
}

void BM_SaveFloorBareInserts(benchmark::State& state) { saveFloor(state, false); }
BENCHMARK(BM_SaveFloorBareInserts)->Unit(benchmark::kMillisecond);

void BM_SaveFloorBareInsertsAndChecks(benchmark::State& state) { saveFloor(state, true); }
BENCHMARK(BM_SaveFloorBareInsertsAndChecks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvena::bench
