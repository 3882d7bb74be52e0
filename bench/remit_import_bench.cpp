// A chain's remittance of 5,000 lines over its 500 stores imported into a new
// payment: the file read, matched to the grid and typed line by line through
// the screen's own checks.

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "runtime/host/kelpapi.h"
#include "screens/payapp/payapp_remit.h"
#include "screens/payapp/remit/remit_values.h"

namespace corvena::bench {
namespace {

constexpr int kStores = 500;
constexpr int kLines = 5000;

// Every other document of the grid, paid in full: 5,000 lines over every store.
std::string remittanceFile(PayAppScreen& s, const std::filesystem::path& path) {
  std::vector<std::pair<std::string, remit::Cents>> lines;
  remit::Cents total = 0;
  s.within([&] {
    auto& a = payapp::payapp();
    int line = 0;
    for (int rc = host::LineArrayFirst(a.DetailLines); rc == 0 && lines.size() < kLines;
         rc = host::LineArrayNext(a.DetailLines)) {
      if (line++ % 2) continue;
      lines.emplace_back(a.bXDetail.CustId.trimmed() + "," + a.bXDetail.RefNbr.trimmed(),
                         std::llround(a.bXDetail.CuryDocBal * 100));
      total += lines.back().second;
    }
    return 0;
  });
  std::ofstream out(path);
  out << "store,invoice,paid,check number,check amount\n";
  for (const auto& [document, paid] : lines)
    out << document << "," << remit::amountText(paid) << ",BENCH1," << remit::amountText(total)
        << "\n";
  return path.string();
}

void BM_ImportRemittance(benchmark::State& state) {
  static ScaledCompany company(kStores, kLines * 2);
  PayAppScreen s(company.path());
  s.newPayment("1");
  const std::string path =
      remittanceFile(s, std::filesystem::temp_directory_path() /
                            ("remit-bench-" + std::to_string(::getpid()) + ".csv"));
  for (auto _ : state) {
    state.PauseTiming();
    s.within([&] { return s.session().updates().newRecord(0); });
    s.enter("cCustId", "SCALE-PARENT");
    state.ResumeTiming();
    report(state, counted(s.database(), [&] {
      s.within([&] {
        payapp::ImportRemittance(path);
        return 0;
      });
    }));
  }
  std::filesystem::remove(path);
  state.counters["lines"] = static_cast<double>(s.ui().reports().back().rows.size());
  state.counters["applied"] = s.app().bXHeader.ApplyTotal;
  state.counters["unapplied"] = s.app().bXHeader.UnAppliedAmt;
}
BENCHMARK(BM_ImportRemittance)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvena::bench
