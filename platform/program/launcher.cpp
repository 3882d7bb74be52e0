#include "platform/program/launcher.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <sstream>

#include "platform/automation/automation_server.h"
#include "platform/automation/script_driver.h"
#include "platform/automation/wire.h"
#include "platform/program/desk.h"
#include "platform/program/exit_codes.h"
#include "platform/signon/company_sign_on.h"

namespace corvena::program {

namespace {

std::string withoutLastNewline(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// The caller's picture is not this screen's.
void pictureOfHandedOverScreen() {
  const char* path = std::getenv("CORVENA_HANDOVER_SCREENSHOT");
  if (path && *path)
    ::setenv("CORVENA_SCREENSHOT", path, 1);
  else
    ::unsetenv("CORVENA_SCREENSHOT");
}

int keepForClerk(LaunchedScreen& screen, int& argc, char** argv, bool watched) {
  pictureOfHandedOverScreen();
  int result = kExitPassed;
  const char* first = std::getenv("CORVENA_HANDOVER_SCRIPT");
  if (first && *first) {
    const auto text = automation::readScriptFile(first, std::cerr);
    result = text ? screen.runScript(*text) : kExitUsage;
  }
  if (watched)
    endWatching(screen.session(), true);
  else if (desktopAvailable())
    openDesk(screen.session(), argc, argv);
  else
    return screen.close(result);
  return screen.close(screen.runDesk(argc, argv));
}

// Driven by another process: start-up failures are told on the wire as well.
int automate(int& argc, char** argv, const std::string& program, const ScreenMaker& make,
             ScreenOptions options) {
  const auto wire = automation::takeStandardOutputForWire();
  std::ostringstream failure;
  auto screen = make(std::move(options), automation::discardedOutput(), failure);
  if (auto ended = screen->start(signon::processEnvironment())) {
    *wire << automation::startFailureLine(screen->startFailureNumber(),
                                          withoutLastNewline(failure.str()))
          << std::endl;
    return *ended;
  }
  if (const auto limited = signon::drivenRefusal(screen->session(), program)) {
    *wire << automation::startFailureLine(limited->number, limited->text) << std::endl;
    return screen->close(kExitNoSignOn);
  }
  const bool watched = watchingDriven();
  if (watched) watchDriven(screen->session(), argc, argv);
  *wire << automation::readyLine(program) << std::endl;
  const auto ended = screen->serve(std::cin, *wire);
  if (!ended) return keepForClerk(*screen, argc, argv, watched);
  if (watched) endWatching(screen->session(), false);
  if (screen->session().hasDatabase())
    *wire << automation::endedLine(screen->session().database().statementsRun()) << std::endl;
  return screen->close(*ended);
}

int afterScript(LaunchedScreen& screen, const std::string& path) {
  const auto text = automation::readScriptFile(path, std::cerr);
  const int result = text ? screen.runScript(*text) : kExitUsage;
  return screen.close(screenshotAfterScript(screen.session(), result));
}

// Without a display a screen is still run from standard input, unless a person
// sits at the terminal.
int headless(LaunchedScreen& screen, const std::string& program) {
  std::cerr << program << ": no display for the desktop screen; ";
  if (::isatty(STDIN_FILENO)) {
    std::cerr << "give --script FILE to run it headless.\n";
    return screen.close(kExitUsage);
  }
  std::cerr << "running headless from standard input.\n";
  return screen.close(screen.runStream(std::cin));
}

int launch(int argc, char** argv, const ProgramName& name, const ScreenMaker& make) {
  const std::string& program = name.program;
  ScreenOptions options;
  try {
    options = parseScreenOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& e) {
    std::cerr << program << ": " << e.what() << "\n";
    return kExitUsage;
  }
  if (options.help) {
    std::cout << screenProgramHelp(program, name.caption);
    return kExitPassed;
  }
  if (options.automate) return automate(argc, argv, program, make, std::move(options));
  const auto script = options.script;
  auto screen = make(std::move(options), std::cout, std::cerr);
  const bool desk = !script && desktopAvailable();
  if (desk) openDesk(screen->session(), argc, argv);
  if (auto ended = screen->start(signon::processEnvironment())) return *ended;
  if (script) return afterScript(*screen, *script);
  if (desk) return screen->close(screen->runDesk(argc, argv));
  return headless(*screen, program);
}

}  // namespace

int runProgram(int argc, char** argv, const ProgramName& name, const ScreenMaker& make) {
  const std::string& program = name.program;
  try {
    return launch(argc, argv, name, make);
  } catch (const std::exception& e) {
    std::cerr << program << ": " << e.what() << "\n";
  } catch (...) {
    std::cerr << program << ": an unexpected fault ended the screen.\n";
  }
  return kExitFault;
}

}  // namespace corvena::program
