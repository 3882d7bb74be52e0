#pragma once
// One launcher for every screen program, the module's and the host's own: its
// options and sign-on, then a screen script, a driving process's requests
// (--automate), standard input, or the desk. Exit codes are in exit_codes.h.
// A driven screen handed over to the clerk stays on the desk with what was typed,
// after the clerk's first work from the screen script CORVENA_HANDOVER_SCRIPT
// when given, drawn into CORVENA_HANDOVER_SCREENSHOT when that is given; without
// a desk it closes. With CORVENA_AUTOMATION_VISIBLE=1 a driven screen is on
// the desk while driven, read-only until handed over.

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms/session.h"
#include "platform/program/screen_options.h"
#include "platform/signon/sign_on_context.h"

namespace corvena::program {

// A screen as the launcher runs it: each kind of screen program signs on and
// loads its screen its own way, and keeps its own event boundaries.
class LaunchedScreen {
 public:
  virtual ~LaunchedScreen() = default;
  virtual forms::Session& session() = 0;
  // Signs on and loads the screen. Nothing when it is up; else the exit code,
  // the reason written to the error stream the screen was made with.
  virtual std::optional<int> start(const signon::EnvironmentLookup& env) = 0;
  // Why start failed, numbered as a driving caller is told.
  virtual int startFailureNumber() const = 0;
  virtual int runScript(std::string_view script) = 0;
  virtual int runStream(std::istream& in) = 0;
  // Answers a driving process's requests until they end: the exit code, or
  // nothing when the caller handed the screen over to the clerk.
  virtual std::optional<int> serve(std::istream& in, std::ostream& wire) = 0;
  // At the desk until the clerk closes the window.
  virtual int runDesk(int& argc, char** argv) = 0;
  // Closes the screen and gives the exit code.
  virtual int close(int exitCode) = 0;
};

// Makes the screen for a run: what a script or the screen says goes to `out`,
// why it could not start or ended to `err`.
using ScreenMaker = std::function<std::unique_ptr<LaunchedScreen>(
    ScreenOptions options, std::ostream& out, std::ostream& err)>;

struct ProgramName {
  std::string program;  // "QM18300"
  std::string caption;  // its form's, for --help
};

// The whole process; whatever escapes the screen's own boundaries ends it with its message.
int runProgram(int argc, char** argv, const ProgramName& name, const ScreenMaker& make);

}  // namespace corvena::program
