#pragma once
// A screen program's entry: options, sign-on, loading the main form (whose load
// handler runs start-up), then a screen script run headless, and closing
// through the unload handler and ScreenExit.
//
//   QM18200 [--script FILE|-] [--db PATH --user ID --company ID --date YYYY-MM-DD] [PARAMETERS]
//   QM18200 --automate [...]: driven by another process over standard input and output
//
// Exit codes: 0 every expectation held, 1 one failed, 2 a script error (or bad
// options), 3 no sign-on or no database.

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/script_driver.h"
#include "platform/forms/form.h"
#include "platform/forms/session.h"
#include "platform/signon/sign_on_context.h"
#include "runtime/host/session.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {

struct ScreenDefinition {
  std::string program;  // "QM18200"
  std::function<forms::FormDesc()> form;
  // Registers the main form's handlers, its load and unload handlers among them.
  std::function<void(forms::Form&)> registerHandlers;
  std::string helpFile;  // empty: the program name with ".hlp"
  RuntimeOptions runtime = standardRuntime();
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ScreenOptions {
  std::optional<std::string> script;  // a file, or "-" for standard input
  bool automate = false;              // requests on standard input, answers on standard output
  signon::SignOnOptions signOn;
  std::vector<std::string> parameters;  // passed on as the start parameters
};
// Throws UsageError for an option without its value or an unknown option.
ScreenOptions parseScreenOptions(std::vector<std::string> args);

// The screen number the sign-on record carries: "18200" for "QM18200".
std::string screenNumber(std::string_view program);

// One screen program's run; a test makes one with its own services and output.
class ScreenProcess {
 public:
  ScreenProcess(const ScreenDefinition& screen, ScreenOptions options, host::HostServices services,
                std::ostream& out, std::ostream& err);
  ~ScreenProcess();

  // Signs on and loads the screen. Nothing when it is up; else the exit code the
  // process ended with (the reason is on `err`).
  std::optional<int> start(const signon::EnvironmentLookup& env);
  int runScript(std::string_view script);
  int runStream(std::istream& in);
  // Answers a driving process's requests until they end.
  int serve(std::istream& in, std::ostream& wire);
  // Closes the screen (unload handler, ScreenExit) and gives the exit code.
  int close(int exitCode);

  forms::Session& session() { return session_; }
  host::HostProcess& host() { return host_; }
  automation::ScriptDriver& driver() { return *driver_; }

 private:
  std::optional<int> signOn(const signon::EnvironmentLookup& env);
  std::optional<int> guarded(const std::function<void()>& work);
  int scripted(const std::function<int()>& run);
  const ScreenDefinition& screen_;
  ScreenOptions options_;
  host::HostProcess host_;
  host::HostProcessScope hostScope_;
  forms::Session session_;
  forms::SessionScope sessionScope_;
  std::unique_ptr<automation::ScriptDriver> driver_;
  std::ostream& err_;
  std::optional<int> ended_;
};

int runScreen(int argc, char** argv, const ScreenDefinition& screen);

}  // namespace corvena::runtime
