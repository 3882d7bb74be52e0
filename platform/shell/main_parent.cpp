// PARENT, the host shell: sign-on, then the menu that starts each screen as
// its own process. A screen started alone starts PARENT with the start
// argument 2 and waits until the login here is done.
//
//   PARENT [2] [--db PATH] [--user ID] [--company ID] [--date YYYY-MM-DD]
//
// With CORVENA_SCREENSHOT=FILE.png the menu is drawn into that picture instead.
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "platform/shell/parent_window.h"
#include "platform/signon/shell_presence.h"

namespace {

namespace signon = corvena::signon;

// The presence file of this shell; a shell ended by a signal takes it away too,
// so a screen started later does not wait for a login that cannot come.
char presenceFile[4096];

void endBySignal(int signal) {
  ::unlink(presenceFile);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

bool hasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

// Signed on from the options alone, the menu is drawn into a PNG (the tests'
// pictures of every screen); nothing is started and no presence is published.
int drawMenu(const signon::SignOnOptions& given, const char* path) {
  using namespace corvena::shell;
  SignOnDialog signOn(given);
  QString why;
  const auto context = signOn.check(why);
  if (!context) {
    std::cerr << "PARENT: " << why.toStdString() << "\n";
    return 1;
  }
  MenuWindow menu(*context, menuScreens(programDirectories()));
  menu.show();
  QApplication::processEvents();
  return menu.grab().save(QString::fromLocal8Bit(path), "PNG") ? 0 : 1;
}

// The manual page is made from it.
int help() {
  std::cout << "PARENT - the host shell: signs a user on and starts the screens from its menu\n"
               "\n"
               "usage: PARENT [OPTIONS]\n"
               "\n"
               "Opens the sign-on window, filled from the options, then the menu of the screens\n"
               "the user may open; each screen runs as a program of its own. A screen started\n"
               "alone starts PARENT with the argument 2 and waits for the sign-on.\n"
               "\n"
               "Options:\n"
            << signon::signOnOptionsHelp()
            << "  --help                    print this text\n"
               "\n"
               "Environment:\n"
               "  CORVENA_SCREENSHOT        a PNG file: the menu is drawn into it, nothing started\n";
  return 0;
}

int runShell(int argc, char** argv) {
  using namespace corvena::shell;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (std::find(args.begin(), args.end(), "--help") != args.end()) return help();
  signon::SignOnOptions given;
  try {
    given = signon::takeSignOnOptions(args);
  } catch (const signon::SignOnError& error) {
    std::cerr << "PARENT: " << error.what() << "\n";
    return 2;
  }
  if (!hasDisplay()) {
    std::cerr << "PARENT: no display for the sign-on window; sign on with --db, --user and "
                 "--company on a screen program instead.\n";
    return 1;
  }
  // Screens run on their own; nobody waits for them here.
  std::signal(SIGCHLD, SIG_IGN);
  QApplication app(argc, argv);
  if (const char* shot = std::getenv("CORVENA_SCREENSHOT"); shot && *shot)
    return drawMenu(given, shot);
  const std::string presence = signon::shellPresencePath();
  std::strncpy(presenceFile, presence.c_str(), sizeof(presenceFile) - 1);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) std::signal(signal, endBySignal);
  try {
    signon::publishShellPresence({::getpid(), false, std::nullopt}, presence);
  } catch (const signon::PresenceRefused& refused) {
    std::cerr << "PARENT: " << refused.what() << "\n";
    QMessageBox::critical(nullptr, "System Message", QString::fromStdString(refused.what()));
    return 1;
  }
  SignOnDialog signOn(given);
  if (signOn.exec() != QDialog::Accepted || !signOn.context()) {
    signon::withdrawShellPresence(presence);
    return 1;
  }
  signon::publishShellPresence({::getpid(), true, signOn.context()}, presence);
  MenuWindow menu(*signOn.context(), menuScreens(programDirectories()));
  menu.show();
  const int code = QApplication::exec();
  signon::withdrawShellPresence(presence);
  return code;
}

}  // namespace

// A fault nothing else caught still takes the presence file away and says what it was.
int main(int argc, char** argv) {
  try {
    return runShell(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "PARENT: " << error.what() << "\n";
  } catch (...) {
    std::cerr << "PARENT: an unexpected fault ended the host shell.\n";
  }
  corvena::signon::withdrawShellPresence(presenceFile);
  return 1;
}
