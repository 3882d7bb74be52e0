// "Pay Document" pressed on every line of a 20,000-line grid until the payment
// is used up, beside the same arithmetic over a plain vector of lines.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "runtime/host/kelpapi.h"

namespace corvena::bench {
namespace {

constexpr int kDocuments = 20000;

// Half of the documents' total balance: the second half of the presses find
// nothing left to pay.
std::string halfTheBalance(PayAppScreen& s) {
  double total = 0;
  s.within([&] {
    auto& a = payapp::payapp();
    for (int rc = host::LineArrayFirst(a.DetailLines); rc == 0;
         rc = host::LineArrayNext(a.DetailLines))
      total += a.bXDetail.CuryDocBal;
    return 0;
  });
  return std::to_string(static_cast<long long>(total / 2));
}

void BM_PayDocumentOnEveryLine(benchmark::State& state) {
  static ScaledCompany company(400, kDocuments);
  PayAppScreen s(company.path());
  s.newPayment("1");
  const std::string amount = halfTheBalance(s);
  const int lines = s.lineCount();
  Trips trips;
  for (auto _ : state) {
    state.PauseTiming();
    s.ui().queueAnswer(forms::kAnswerYes);
    s.enter("cOrigDocAmt", "0");
    s.enter("cOrigDocAmt", amount);
    state.ResumeTiming();
    trips = counted(s.database(), [&] {
      for (int i = 0; i < lines; ++i) s.payLine(i);
    });
  }
  state.counters["lines"] = lines;
  report(state, trips);
  state.counters["unapplied"] = s.app().bXHeader.UnAppliedAmt;
}
BENCHMARK(BM_PayDocumentOnEveryLine)->Unit(benchmark::kMillisecond)->Iterations(1);

// The floor: the rule's arithmetic on the lines themselves, no screen around it.
void BM_PayDocumentFloor(benchmark::State& state) {
  static ScaledCompany company(400, kDocuments);
  PayAppScreen s(company.path());
  s.newPayment("1");
  std::vector<payapp::XDetail> lines;
  s.within([&] {
    auto& a = payapp::payapp();
    for (int rc = host::LineArrayFirst(a.DetailLines); rc == 0;
         rc = host::LineArrayNext(a.DetailLines))
      lines.push_back(a.bXDetail);
    return 0;
  });
  const double payment = std::stod(halfTheBalance(s));
  for (auto _ : state) {
    double applied = 0;
    for (auto& l : lines) {
      const double remaining = forms::fpRound(payment - applied, 2);
      if (!(l.CuryDocBal > 0 && remaining > 0)) continue;
      const double needed = forms::fpRound(l.CuryDocBal - l.DiscAmt, 2);
      l.CuryApplAmt = remaining >= needed ? needed : remaining;
      applied += l.CuryApplAmt;
      l.TotApply = forms::fpRound(l.CuryApplAmt + l.DiscAmt, 2);
      l.NewDocBal = forms::fpRound(l.CuryDocBal - l.TotApply, 2);
    }
    benchmark::DoNotOptimize(applied);
  }
  report(state, {});
}
BENCHMARK(BM_PayDocumentFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvena::bench
