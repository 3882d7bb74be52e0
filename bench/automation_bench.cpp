// Driving 0801000 from another process beside the same requests carried out in
// process: one request round trip, and 1,000 invoice lines entered.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "platform/ar/invoice_entry.h"
#include "platform/automation/script_driver.h"
#include "platform/automation/automation_server.h"
#include "platform/automation/driven_process.h"
#include "platform/automation/wire.h"
#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "platform/program/host_program.h"
#include "runtime/host/host_process.h"
#include "runtime/host_screen.h"

namespace corvena::bench {
namespace {

constexpr int kLines = 1000;
using Send = std::function<void(const std::string&)>;

struct DemoCompany {
  DemoCompany() { demo::fillDemo(*db::Database::create(dir.file("company.db"))); }
  signon::SignOnContext signOn() const {
    return {dir.file("company.db"), "CLERK", "DEMO", Date{2026, 12, 31}};
  }
  db::testing::ScratchDir dir;
};

// 0801000 in this process, answering requests through the same driver.
struct InProcess {
  explicit InProcess(const DemoCompany& company)
      : handlers(program::openHostScreen(session, company.signOn(),
                                    {"0801000", ar::invoiceEntryForm, ar::attachInvoiceEntry})) {}
  void send(const std::string& line) {
    const auto& outcome = driver.answer(*automation::parseCommand(line, 1));
    if (outcome.kind != automation::Outcome::Kind::Done) throw std::runtime_error(outcome.reason);
  }
  forms::Session session;
  forms::SessionScope scope{session};
  std::shared_ptr<void> handlers;
  automation::ScriptDriver driver{session, automation::discardedOutput()};
};

// 0801000 as its own program, driven over the wire.
struct Driven {
  explicit Driven(const DemoCompany& company) {
    ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
    host.signOn = company.signOn();
    std::int16_t iErr = 0;
    std::int32_t lErr = 0;
    screen = runtime::StartAppAndAutomate("0801000.exe", iErr, lErr);
    if (!screen) throw std::runtime_error("0801000 did not start: " + std::to_string(iErr));
  }
  void send(const std::string& line) { screen->request(line); }
  host::HostProcess host{host::inProcessServices()};
  host::HostProcessScope scope{host};
  std::unique_ptr<runtime::HostScreen> screen;
};

void fillInvoice(const Send& send) {
  for (const char* line : {"set cCustID NATL-AUTO", "set cProjectID_Hdr STORE-REFIT"}) send(line);
  for (int i = 0; i < kLines; ++i)
    for (const char* line : {"new 2", "set cAcct 4000", "set cqty 1", "set cUnitPrice 2.5"})
      send(line);
}

// Requests sent over the wire per run: none when the screen answers in process.
void reportRequests(benchmark::State& state, std::int64_t sent) {
  state.counters["requests"] =
      static_cast<double>(sent) / static_cast<double>(state.iterations());
}

template <class Screen>
void roundTrips(benchmark::State& state) {
  DemoCompany company;
  Screen screen(company);
  const std::int64_t before = automation::DrivenProcess::requestsSent();
  for (auto _ : state) screen.send("get cBatNbr");
  reportRequests(state, automation::DrivenProcess::requestsSent() - before);
}

template <class Screen>
void fillLines(benchmark::State& state) {
  std::int64_t sent = 0;
  for (auto _ : state) {
    state.PauseTiming();
    DemoCompany company;
    Screen screen(company);
    state.ResumeTiming();
    const std::int64_t before = automation::DrivenProcess::requestsSent();
    fillInvoice([&](const std::string& line) { screen.send(line); });
    sent += automation::DrivenProcess::requestsSent() - before;
  }
  state.counters["lines"] = kLines;
  reportRequests(state, sent);
}

void BM_RequestRoundTripInProcess(benchmark::State& state) { roundTrips<InProcess>(state); }
void BM_RequestRoundTripDriven(benchmark::State& state) { roundTrips<Driven>(state); }
void BM_Fill1000InvoiceLinesInProcess(benchmark::State& state) { fillLines<InProcess>(state); }
void BM_Fill1000InvoiceLinesDriven(benchmark::State& state) { fillLines<Driven>(state); }
BENCHMARK(BM_RequestRoundTripInProcess)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RequestRoundTripDriven)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Fill1000InvoiceLinesInProcess)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Fill1000InvoiceLinesDriven)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace corvena::bench
