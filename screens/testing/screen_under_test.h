#pragma once
// A screen program opened in the test's own process, signed on to the test's
// company as its program signs on: worked as a clerk works it (values in,
// messages and rows out) or run on a screen script, then closed as its program
// closes. Several may be open at once: each call runs with its own screen current.

#include <cstddef>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"
#include "runtime/host/host_process.h"
#include "runtime/screen_program.h"

namespace corvena::screens::testing {

// Who the screen signs on as, where and on which business day.
struct SignOn {
  std::string database;
  std::string user = "CLERK1";
  std::string company = "CO1";
  std::string date = "2026-03-02";
  std::optional<std::string> passwordFile;  // else CORVENA_PASSWORD, where a company has users
};

class ScreenUnderTest {
 public:
  // ui: a desk's renderer in place of the headless one.
  ScreenUnderTest(runtime::ScreenDefinition screen, const SignOn& signOn,
                  host::HostServices services = host::inProcessServices(),
                  std::unique_ptr<forms::Ui> ui = nullptr);
  ScreenUnderTest(const ScreenUnderTest&) = delete;
  ScreenUnderTest& operator=(const ScreenUnderTest&) = delete;
  ~ScreenUnderTest();

  // The exit code when the screen did not start or has ended; why is in output().
  std::optional<int> ended() const { return ended_; }

  // Runs f with this screen current.
  template <class F>
  auto within(F f) {
    host::HostProcessScope hostScope(process_->host());
    forms::SessionScope sessionScope(process_->session());
    return f();
  }

  forms::Session& session() { return process_->session(); }
  forms::HeadlessUi& ui();
  forms::Control& control(const std::string& name) { return session().control(name); }
  bool set(const std::string& control, const std::string& value);
  bool click(const std::string& control);
  bool save();
  std::string shown(const std::string& control);
  bool enabled(const std::string& control) { return this->control(control).enabled(); }
  std::size_t lineCount(const std::string& grid = "Spread1");
  // The column's text on every line of the grid, in grid order.
  std::vector<std::string> column(const std::string& control, const std::string& grid = "Spread1");
  // The texts of the message boxes shown so far.
  std::vector<std::string> messages();

  // Runs a screen script; its exit code.
  int run(std::string_view script);
  // Closes the screen as its program does; the program's exit code.
  int close(int exitCode);
  // What the screen printed: its script output, then its errors.
  std::string output() const { return out_.str() + err_.str(); }

 private:
  runtime::ScreenDefinition screen_;
  std::ostringstream out_, err_;
  std::unique_ptr<runtime::ScreenProcess> process_;
  std::optional<int> ended_;
};

struct ScriptRun {
  int exitCode = 0;
  std::string output;
};

// Opens the screen, runs the script and closes the screen as its program does.
ScriptRun runScript(const runtime::ScreenDefinition& screen, const SignOn& signOn,
                    std::string_view script,
                    host::HostServices services = host::inProcessServices());

}  // namespace corvena::screens::testing
