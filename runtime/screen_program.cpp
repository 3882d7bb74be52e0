#include "runtime/screen_program.h"

#include <cctype>

#include "platform/automation/automation_server.h"
#include "platform/automation/wire.h"
#include "platform/program/desk.h"
#include "platform/program/exit_codes.h"
#include "runtime/app_information.h"

namespace corvena::runtime {

namespace {

constexpr int ErrScriptEnded = 3010;

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

}  // namespace

std::string screenNumber(std::string_view program) {
  std::size_t i = 0;
  while (i < program.size() && !std::isdigit(static_cast<unsigned char>(program[i]))) ++i;
  return std::string(program.substr(i, 5));
}

ScreenProcess::ScreenProcess(const ScreenDefinition& screen, ScreenOptions options,
                             host::HostServices services, std::ostream& out, std::ostream& err)
    : screen_(screen),
      options_(std::move(options)),
      host_(std::move(services)),
      hostScope_(host_),
      sessionScope_(session_),
      err_(err) {
  host_.services.endProcess = [](int code) { throw host::ProcessEnded{code}; };
  driver_ = std::make_unique<automation::ScriptDriver>(session_, out);
}

// The application object refers to this session: it goes first.
ScreenProcess::~ScreenProcess() {
  ScreenApp.reset();
  ScreenHostObject.reset();
  host_.registration.reset();
}

std::optional<int> ScreenProcess::guarded(const std::function<void()>& work) {
  if (ended_) return ended_;
  try {
    work();
  } catch (const host::ProcessEnded& e) {
    ended_ = e.exitCode;
  } catch (const forms::RuntimeError& e) {
    err_ << screen_.program << ": " << e.what() << "\n";
    ended_ = e.number() == forms::kErrNoDatabase ? program::kExitNoSignOn : program::kExitFault;
  } catch (const db::DbError& e) {
    // A damaged file leaves no database to work in, as a missing one does.
    err_ << screen_.program << ": " << e.what() << "\n";
    ended_ = e.damaged() ? program::kExitNoSignOn : program::kExitFault;
  } catch (const std::exception& e) {
    err_ << screen_.program << ": " << e.what() << "\n";
    ended_ = program::kExitFault;
  }
  return ended_;
}

// A script or a driving process never starts the host shell: it signs on
// itself or takes a signed-on shell's context.
std::optional<int> ScreenProcess::signOn(const signon::EnvironmentLookup& env) {
  const bool unattended = options_.script || options_.automate;
  try {
    host_.signOn = program::findSignOn(options_, env, !unattended);
  } catch (const signon::SignOnError& e) {
    err_ << e.what() << "\n";
    return program::kExitNoSignOn;
  }
  if (!host_.signOn && unattended) {
    err_ << program::kNoSignOn << "\n";
    return program::kExitNoSignOn;
  }
  return std::nullopt;
}

std::optional<int> ScreenProcess::start(const signon::EnvironmentLookup& env) {
  if (auto refused = signOn(env)) return ended_ = refused;
  host_.program = screenNumber(screen_.program);
  CommandLineText = joined(options_.parameters);
  Runtime = screen_.runtime;
  App().HelpFile = screen_.helpFile.empty() ? screen_.program + ".hlp" : screen_.helpFile;
  guarded([&] {
    forms::Form& form = session_.loadForm(screen_.form());
    screen_.registerHandlers(form);
    session_.raiseLoad(form);
  });
  if (ended_) {
    if (!host_.failure.empty()) err_ << host_.failure << "\n";
    return ended_;
  }
  if (host::SystemErr() != 0) {
    err_ << (host_.failure.empty() ? "The screen could not start." : host_.failure) << "\n";
    return close(program::kExitNoSignOn);
  }
  return std::nullopt;
}

int ScreenProcess::runScript(std::string_view script) {
  return scripted([&] { return driver_->run(script); });
}

int ScreenProcess::runStream(std::istream& in) {
  return scripted([&] { return driver_->runStream(in); });
}

std::optional<int> ScreenProcess::serve(std::istream& in, std::ostream& wire) {
  auto served = automation::Served::Ended;
  const int code = scripted([&] {
    served = automation::serveRequests(*driver_, in, wire);
    return automation::ScriptPassed;
  });
  if (served == automation::Served::HandedOver && !ended_) return std::nullopt;
  return code;
}

// While a script runs, a screen waiting in its own loop (a modal form) is
// served the script's next commands, as a person would go on working.
int ScreenProcess::scripted(const std::function<int()>& run) {
  const auto pump = host_.services.pumpEvents;
  host_.services.pumpEvents = [this] {
    if (!driver_->pumpOne())
      throw forms::RuntimeError(ErrScriptEnded, "The script ended while a form waited for it.");
  };
  int result = automation::ScriptBroken;
  guarded([&] { result = run(); });
  host_.services.pumpEvents = pump;
  return ended_ ? *ended_ : result;
}

int ScreenProcess::startFailureNumber() const {
  if (host_.failureNumber) return host_.failureNumber;
  return host_.signOn ? automation::kErrDuringLoad : automation::kErrNotLoggedIn;
}

int ScreenProcess::runDesk(int& argc, char** argv) {
  int code = program::kExitPassed;
  guarded([&] { code = program::showDesk(session_, argc, argv); });
  program::closeDesk(session_);
  return ended_.value_or(code);
}

int ScreenProcess::close(int exitCode) {
  host_.exitCode = exitCode;
  guarded([] {
    host::RequestScreenExit();
    host::EndProcess();
  });
  return ended_.value_or(exitCode);
}

int runScreen(int argc, char** argv, const ScreenDefinition& screen) {
  return program::runProgram(argc, argv, {screen.program, screen.form().caption},
                             [&](ScreenOptions options, std::ostream& out, std::ostream& err) {
                               return std::make_unique<ScreenProcess>(
                                   screen, std::move(options), host::defaultHostServices(), out,
                                   err);
                             });
}

}  // namespace corvena::runtime
