#include "runtime/screen_program.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/automation/automation_server.h"
#include "platform/automation/wire.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/shell_presence.h"
#include "runtime/app_information.h"
#include "runtime/desktop_entry.h"

namespace corvena::runtime {

namespace {

constexpr int ExitUsage = automation::ScriptBroken;
constexpr int ErrScriptEnded = 3010;

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) out += (out.empty() ? "" : " ") + w;
  return out;
}

}  // namespace

ScreenOptions parseScreenOptions(std::vector<std::string> args) {
  ScreenOptions options;
  try {
    options.signOn = signon::takeSignOnOptions(args);
  } catch (const signon::SignOnError& e) {
    throw UsageError(e.what());
  }
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto& arg = args[i];
    if (arg == "--script") {
      if (i + 1 >= args.size())
        throw UsageError("the option --script needs a file, or - for standard input");
      options.script = args[++i];
    } else if (arg == "--automate") {
      options.automate = true;
    } else if (arg.rfind("--script=", 0) == 0) {
      options.script = arg.substr(9);
    } else if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
      throw UsageError("unknown option " + arg);
    } else {
      options.parameters.push_back(arg);
    }
  }
  return options;
}

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
    ended_ = e.number() == forms::kErrNoDatabase ? host::ExitCodeNoSignOn : host::ExitCodeFault;
  } catch (const db::DbError& e) {
    // A damaged file leaves no database to work in, as a missing one does.
    err_ << screen_.program << ": " << e.what() << "\n";
    ended_ = e.damaged() ? host::ExitCodeNoSignOn : host::ExitCodeFault;
  } catch (const std::exception& e) {
    err_ << screen_.program << ": " << e.what() << "\n";
    ended_ = host::ExitCodeFault;
  }
  return ended_;
}

std::optional<int> ScreenProcess::signOn(const signon::EnvironmentLookup& env) {
  try {
    host_.signOn = signon::resolveSignOn(options_.signOn, env);
  } catch (const signon::SignOnError& e) {
    err_ << e.what() << "\n";
    return host::ExitCodeNoSignOn;
  }
  // A script or a driving process never starts the host shell: it signs on
  // itself or takes a signed-on shell's context.
  const bool unattended = options_.script || options_.automate;
  if (!host_.signOn && unattended) {
    const auto shell = signon::findShellPresence(signon::shellPresencePath());
    if (shell && shell->loginReady && shell->context) host_.signOn = shell->context;
  }
  if (!host_.signOn && unattended) {
    err_ << "No sign-on: give --db PATH --user ID --company ID [--date YYYY-MM-DD] "
            "(or CORVENA_DB, CORVENA_USER, CORVENA_COMPANY, CORVENA_DATE), or sign on in the "
            "host shell first.\n";
    return host::ExitCodeNoSignOn;
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
    return close(host::ExitCodeNoSignOn);
  }
  return std::nullopt;
}

int ScreenProcess::runScript(std::string_view script) {
  return scripted([&] { return driver_->run(script); });
}

int ScreenProcess::runStream(std::istream& in) {
  return scripted([&] { return driver_->runStream(in); });
}

int ScreenProcess::serve(std::istream& in, std::ostream& wire) {
  return scripted([&] {
    automation::serveRequests(*driver_, in, wire);
    return automation::ScriptPassed;
  });
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

int ScreenProcess::close(int exitCode) {
  host_.exitCode = exitCode;
  guarded([] {
    host::RequestScreenExit();
    host::EndProcess();
  });
  return ended_.value_or(exitCode);
}

namespace {

// Driven by another process: start-up failures are told on the wire as well.
int automateScreen(const ScreenDefinition& screen, ScreenOptions options) {
  const auto wire = automation::takeStandardOutputForWire();
  std::ostringstream failure;
  ScreenProcess process(screen, std::move(options), host::defaultHostServices(),
                        automation::discardedOutput(), failure);
  if (auto ended = process.start(signon::processEnvironment())) {
    const int code = process.host().failureNumber     ? process.host().failureNumber
                     : process.host().signOn ? automation::kErrDuringLoad
                                             : automation::kErrNotLoggedIn;
    *wire << automation::startFailureLine(code, failure.str()) << std::endl;
    return *ended;
  }
  if (const auto limited = signon::drivenRefusal(forms::session(), screen.program)) {
    *wire << automation::startFailureLine(limited->number, limited->text) << std::endl;
    return process.close(host::ExitCodeNoSignOn);
  }
  *wire << automation::readyLine(screen.program) << std::endl;
  return process.close(process.serve(std::cin, *wire));
}

int runScreenProcess(int argc, char** argv, const ScreenDefinition& screen) {
  ScreenOptions options;
  try {
    options = parseScreenOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << screen.program << ": " << e.what() << "\n";
    return ExitUsage;
  }
  if (options.automate) return automateScreen(screen, std::move(options));
  const auto script = options.script;
  ScreenProcess process(screen, std::move(options), host::defaultHostServices(), std::cout,
                        std::cerr);
  const bool desktop = !script && desktopAvailable();
  if (desktop) prepareDesktop(process, argc, argv);
  if (auto ended = process.start(signon::processEnvironment())) return *ended;
  if (script) {
    const auto text = automation::readScriptFile(*script, std::cerr);
    return process.close(
        screenshotAfterScript(process, text ? process.runScript(*text) : ExitUsage));
  }
  if (desktop) return process.close(runDesktop(process, argc, argv));
  std::cerr << screen.program << ": no display for the desktop screen; ";
  if (::isatty(STDIN_FILENO)) {
    std::cerr << "give --script FILE to run it headless.\n";
    return process.close(ExitUsage);
  }
  std::cerr << "running headless from standard input.\n";
  return process.close(process.runStream(std::cin));
}

}  // namespace

// Whatever escapes the screen's own event boundaries ends it with its message.
int runScreen(int argc, char** argv, const ScreenDefinition& screen) {
  try {
    return runScreenProcess(argc, argv, screen);
  } catch (const std::exception& e) {
    std::cerr << screen.program << ": " << e.what() << "\n";
  } catch (const host::ProcessEnded& e) {
    return e.exitCode;
  } catch (...) {
    std::cerr << screen.program << ": an unexpected fault ended the screen.\n";
  }
  return host::ExitCodeFault;
}

}  // namespace corvena::runtime
