#pragma once
// The module's screen program: its runtime start-up (the main form's load
// handler), then what the launcher runs, and closing through the unload handler
// and ScreenExit.

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/script_driver.h"
#include "platform/forms/form.h"
#include "platform/forms/session.h"
#include "platform/program/launcher.h"
#include "platform/program/screen_options.h"
#include "runtime/host/host_process.h"
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

// The launcher's options, as the screens' tests name them.
using program::ScreenOptions;
using program::parseScreenOptions;

// The screen number the sign-on record carries: "18200" for "QM18200".
std::string screenNumber(std::string_view program);

// One screen program's run; a test makes one with its own services and output.
class ScreenProcess : public program::LaunchedScreen {
 public:
  ScreenProcess(const ScreenDefinition& screen, ScreenOptions options, host::HostServices services,
                std::ostream& out, std::ostream& err);
  ~ScreenProcess();

  std::optional<int> start(const signon::EnvironmentLookup& env) override;
  int startFailureNumber() const override;
  int runScript(std::string_view script) override;
  int runStream(std::istream& in) override;
  std::optional<int> serve(std::istream& in, std::ostream& wire) override;
  int runDesk(int& argc, char** argv) override;
  // Closes the screen (unload handler, ScreenExit) and gives the exit code.
  int close(int exitCode) override;

  forms::Session& session() override { return session_; }
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
