// QM18300 at a desk with a 20,000-line grid, on Qt's offscreen platform: the
// lines drawn into the table again, and one amount typed into a cell, each
// as long as the clerk waits for it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableWidget>
#include <cstdlib>

#include "bench/payapp_bench_screen.h"
#include "bench/round_trips.h"
#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/gui.h"
#include "platform/ui/qt_ui.h"

namespace corvena::bench {
namespace {

constexpr int kDocuments = 20000;
// The grid's "Apply Amount" column.
constexpr int kApplyColumn = 7;

// The screen's window shown with the payment's lines in it.
ui::GridView& deskGrid(PayAppScreen& s) {
  static int argc = 1;
  static char name[] = "corvena_bench";
  static char* argv[] = {name, nullptr};
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return *s.within([&] {
    s.session().setUi(ui::createGuiUi(argc, argv));
    auto& window = dynamic_cast<ui::QtUi&>(s.session().ui()).window(s.session().mainForm());
    window.show();
    QApplication::processEvents();
    return window.view()->gridFor(&s.grid());
  });
}

void BM_DeskGridReload(benchmark::State& state) {
  static ScaledCompany company(400, kDocuments);
  PayAppScreen s(company.path());
  s.newPayment("1000000");
  ui::GridView& grid = deskGrid(s);
  Trips trips;
  for (auto _ : state)
    trips = counted(s.database(), [&] {
      s.within([&] {
        grid.reload();
        return 0;
      });
    });
  state.counters["lines"] = s.lineCount();
  report(state, trips);
}
BENCHMARK(BM_DeskGridReload)->Unit(benchmark::kMillisecond)->Iterations(3);

// An amount typed on a line in the middle, and the next time taken off again.
void BM_DeskAmountTypedInACell(benchmark::State& state) {
  static ScaledCompany company(400, kDocuments);
  PayAppScreen s(company.path());
  s.newPayment("1000000");
  ui::GridView& grid = deskGrid(s);
  const int row = s.lineCount() / 2;
  bool typed = false;
  Trips trips;
  for (auto _ : state) {
    typed = !typed;
    trips = counted(s.database(), [&] {
      s.within([&] {
        grid.table()->setCurrentCell(row, kApplyColumn);
        return grid.entryForCurrent()(typed ? "1.00" : "0");
      });
    });
  }
  state.counters["lines"] = s.lineCount();
  report(state, trips);
}
BENCHMARK(BM_DeskAmountTypedInACell)->Unit(benchmark::kMillisecond)->Iterations(4);

}  // namespace
}  // namespace corvena::bench
