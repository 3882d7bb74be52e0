#include "platform/shell/host_program.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "platform/automation/automation_server.h"
#include "platform/automation/script_driver.h"
#include "platform/automation/wire.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/shell_presence.h"
#include "platform/signon/user_directory.h"
#include "platform/ui/gui.h"

namespace corvena::shell {

namespace {

constexpr int kExitNoSignOn = 3;
constexpr int kExitFault = 4;

struct Options {
  signon::SignOnOptions signOn;
  std::optional<std::string> script;
  std::vector<std::string> parameters;
  bool automate = false;
};

Options parse(std::vector<std::string> args) {
  Options o;
  o.signOn = signon::takeSignOnOptions(args);
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--script" && i + 1 < args.size())
      o.script = args[++i];
    else if (args[i] == "--automate")
      o.automate = true;
    else if (args[i].rfind("--", 0) == 0)
      throw signon::SignOnError("unknown option " + args[i]);
    else
      o.parameters.push_back(args[i]);
  }
  return o;
}

std::optional<signon::SignOnContext> signOnContext(const Options& o) {
  if (auto context = signon::resolveSignOn(o.signOn, signon::processEnvironment())) return context;
  const auto presence = signon::findShellPresence(signon::shellPresencePath());
  if (presence && presence->loginReady && presence->context) return presence->context;
  return std::nullopt;
}

bool desktopAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* v = std::getenv(name); v && *v) return true;
  return false;
}

int runScript(forms::Session& session, const std::string& path) {
  const auto text = automation::readScriptFile(path, std::cerr);
  if (!text) return automation::ScriptBroken;
  automation::ScriptDriver driver(session, std::cout);
  const int result = driver.run(*text);
  const auto shot = ui::screenshotRequest();
  if (!shot) return result;
  const bool saved = ui::saveScreenshot(session, *shot);
  ui::closeGui(session);
  return saved ? result : 1;
}

// Driven by another process: start-up failures are told on the wire, not only on standard error.
int automate(const Options& o, const HostScreenProgram& screen) {
  const auto wire = automation::takeStandardOutputForWire();
  const auto context = signOnContext(o);
  if (!context) {
    *wire << automation::startFailureLine(automation::kErrNotLoggedIn, "no sign-on") << std::endl;
    return kExitNoSignOn;
  }
  forms::Session session;
  forms::SessionScope scope(session);
  std::shared_ptr<void> handlers;
  try {
    handlers = openHostScreen(session, *context, screen, o.parameters);
  } catch (const SignOnRefused& e) {
    *wire << automation::startFailureLine(e.number, e.what()) << std::endl;
    return kExitNoSignOn;
  } catch (const std::runtime_error& e) {
    *wire << automation::startFailureLine(automation::kErrDuringLoad, e.what()) << std::endl;
    return kExitNoSignOn;
  }
  if (const auto limited = signon::drivenRefusal(session, screen.program)) {
    *wire << automation::startFailureLine(limited->number, limited->text) << std::endl;
    return kExitNoSignOn;
  }
  automation::ScriptDriver driver(session, automation::discardedOutput());
  *wire << automation::readyLine(screen.program) << std::endl;
  automation::serveRequests(driver, std::cin, *wire);
  return 0;
}

int run(int argc, char** argv, const HostScreenProgram& screen) {
  const Options o = parse(std::vector<std::string>(argv + 1, argv + argc));
  if (o.automate) return automate(o, screen);
  const auto context = signOnContext(o);
  if (!context) {
    std::cerr << screen.program << ": no sign-on: give --db PATH --user ID --company ID "
              << "[--date YYYY-MM-DD], or sign on in the host shell first.\n";
    return kExitNoSignOn;
  }
  const bool desktop = !o.script && desktopAvailable();
  forms::Session session(nullptr, desktop ? ui::createGuiUi(argc, argv) : nullptr);
  forms::SessionScope scope(session);
  std::shared_ptr<void> handlers;
  try {
    handlers = openHostScreen(session, *context, screen, o.parameters);
  } catch (const std::runtime_error& e) {
    std::cerr << screen.program << ": " << e.what() << "\n";
    return kExitNoSignOn;
  }
  if (o.script) return runScript(session, *o.script);
  if (!desktop) {
    std::cerr << screen.program << ": no display; give --script FILE to run it headless.\n";
    return automation::ScriptBroken;
  }
  const int code = ui::runGui(session, argc, argv);
  ui::closeGui(session);
  return code;
}

}  // namespace

std::shared_ptr<void> openHostScreen(forms::Session& session, const signon::SignOnContext& signOn,
                                     const HostScreenProgram& screen,
                                     const std::vector<std::string>& parameters) {
  if (const auto refused = signon::signOnSession(session, signOn, screen.program))
    throw SignOnRefused(refused->number, refused->text);
  if (screen.administratorsOnly && !signon::UserDirectory(session.database()).mayAdminister(signOn.user))
    throw SignOnRefused(signon::kNoRights, "User " + signOn.user + " is not an administrator: only an "
                                   "administrator keeps the company's users and rights.");
  forms::Form& form = session.loadForm(screen.form());
  auto handlers = screen.attach(form, parameters);
  session.raiseLoad(form);
  return handlers;
}

int runHostScreen(int argc, char** argv, const HostScreenProgram& screen) {
  try {
    return run(argc, argv, screen);
  } catch (const signon::SignOnError& e) {
    std::cerr << screen.program << ": " << e.what() << "\n";
    return automation::ScriptBroken;
  } catch (const std::exception& e) {
    std::cerr << screen.program << ": " << e.what() << "\n";
    return kExitFault;
  }
}

}  // namespace corvena::shell
