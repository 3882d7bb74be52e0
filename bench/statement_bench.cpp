// The consolidated statement of a national account of 200 stores and 20,000
// open items: read as of the demo's date, written as CSV and as a PDF.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "bench/payapp_bench_screen.h"
#include "platform/demo/demo_data.h"
#include "screens/statement/statement_csv.h"
#include "screens/statement/statement_paper.h"

namespace corvena::bench {
namespace {

void BM_Statement200Stores(benchmark::State& state) {
  static ScaledCompany company(200, 20000);
  auto db = db::Database::open(company.path());
  const auto pdf = std::filesystem::temp_directory_path() /
                   ("statement-bench-" + std::to_string(::getpid()) + ".pdf");
  std::size_t items = 0, bytes = 0;
  // Each part's own time: the reads, the CSV, the PDF.
  using Clock = std::chrono::steady_clock;
  double ms[3] = {};
  const auto timed = [&](int part, auto work) {
    const auto start = Clock::now();
    work();
    ms[part] = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  };
  for (auto _ : state) {
    statement::Statement s;
    timed(0, [&] { s = statement::readStatement(*db, "SCALE-PARENT", demo::kDemoToday); });
    timed(1, [&] { bytes = statement::statementCsv({s}).size(); });
    std::string why;
    timed(2, [&] {
      if (!statement::writePdf({s}, pdf.string(), statement::Paper::A4, why))
        state.SkipWithError(why.c_str());
    });
    items = s.openItems();
  }
  state.counters["read_ms"] = ms[0];
  state.counters["csv_ms"] = ms[1];
  state.counters["pdf_ms"] = ms[2];
  state.counters["open_items"] = static_cast<double>(items);
  state.counters["csv_bytes"] = static_cast<double>(bytes);
  state.counters["pdf_bytes"] = static_cast<double>(std::filesystem::file_size(pdf));
  std::filesystem::remove(pdf);
}
BENCHMARK(BM_Statement200Stores)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvena::bench
