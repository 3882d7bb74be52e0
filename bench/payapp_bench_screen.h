#pragma once
// QM18300 opened headless on a scaled company for the benchmarks: a new payment
// of the scaled national account with every open document in the grid.

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/database.h"
#include "platform/demo/demo_data.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/host/host_process.h"
#include "runtime/kelpbas.h"
#include "screens/payapp/payapp_form.h"
#include "screens/payapp/payapp_screen.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::bench {

// The server the benchmarks run on when CORVENA_BENCH_SERVER names one
// ("postgresql://user@host"); otherwise they run on files.
inline const char* benchServer() {
  const char* server = std::getenv("CORVENA_BENCH_SERVER");
  return server && *server ? server : nullptr;
}

// A scaled company database, in a fresh temporary directory or on the bench
// server, removed afterwards.
class ScaledCompany {
 public:
  // Each company of the process gets its own: benchmarks keep theirs alive together.
  ScaledCompany(int children, int documents)
      : dir_(std::filesystem::temp_directory_path() /
             ("qm18300-bench-" + std::to_string(::getpid()) + "-" + std::to_string(nextId()))) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    std::string name = dir_.filename().string();
    std::replace(name.begin(), name.end(), '-', '_');
    path_ = benchServer() ? std::string(benchServer()) + "/" + name : (dir_ / "company.db").string();
    auto db = db::Database::create(path_);
    demo::fillScaled(*db, children, documents);
  }
  ~ScaledCompany() {
    if (benchServer()) db::Database::remove(path_);
    std::filesystem::remove_all(dir_);
  }
  const std::string& path() const { return path_; }

 private:
  static int nextId() {
    static int id = 0;
    return ++id;
  }
  std::filesystem::path dir_;
  std::string path_;
};

// The screen as a clerk has it: every call runs with its session current.
class PayAppScreen {
 public:
  template <class F>
  auto within(F f) {
    host::HostProcessScope p(process_);
    forms::SessionScope s(session_);
    return f();
  }

  explicit PayAppScreen(const std::string& database)
      : process_(host::inProcessServices()),
        ui_(new forms::HeadlessUi()),
        session_(nullptr, std::unique_ptr<forms::Ui>(ui_)) {
    within([&] {
      runtime::resetRuntimeState();
      process_.signOn = signon::SignOnContext{database, "BENCH", "DEMO", demo::kDemoToday};
      process_.program = "18300";
      forms::Form& form = session_.loadForm(payapp::Form1Desc());
      payapp::registerHandlers(form);
      session_.raiseLoad(form);
    });
  }

  // A new payment of the scaled national account for `amount`.
  void newPayment(const std::string& amount) {
    within([&] {
      session_.updates().newRecord(0);
      enter("cCustId", "SCALE-PARENT");
      enter("cNARefNbr", "BENCH1");
      enter("cOrigDocAmt", amount);
    });
  }
  bool enter(const std::string& control, const std::string& value) {
    return within([&] { return session_.enterValue(session_.control(control), value); });
  }
  void payLine(int line) {
    within([&] {
      session_.grids().selectLine(grid(), line);
      session_.click(session_.control("cbAutoApply"));
    });
  }
  bool save() {
    return within([&] { return session_.updates().save(); });
  }
  forms::Session& session() { return session_; }
  const db::Database& database() { return session_.database(); }
  forms::HeadlessUi& ui() { return *ui_; }
  forms::Control& grid() { return session_.control("Spread1"); }
  int lineCount() {
    return within([&] { return static_cast<int>(session_.grids().lineCount(grid())); });
  }
  payapp::PayApp& app() {
    return *within([] { return &payapp::payapp(); });
  }

 private:
  host::HostProcess process_;
  forms::HeadlessUi* ui_;
  forms::Session session_;
};

}  // namespace corvena::bench
