// PARENT, the host shell: sign-on, then the menu that starts each screen as
// its own process. A screen started alone starts PARENT with the start
// argument 2 and waits until the login here is done.
//
//   PARENT [2] [--db PATH] [--user ID] [--company ID] [--date YYYY-MM-DD]
#include <unistd.h>

#include <QApplication>
#include <csignal>
#include <iostream>

#include "platform/shell/parent_window.h"
#include "platform/shell/shell_presence.h"

int main(int argc, char** argv) {
  using namespace corvena::shell;
  std::vector<std::string> args(argv + 1, argv + argc);
  SignOnOptions given;
  try {
    given = takeSignOnOptions(args);
  } catch (const SignOnError& error) {
    std::cerr << "PARENT: " << error.what() << "\n";
    return 2;
  }
  // Screens run on their own; nobody waits for them here.
  std::signal(SIGCHLD, SIG_IGN);
  QApplication app(argc, argv);
  const std::string presence = shellPresencePath();
  publishShellPresence({::getpid(), false, std::nullopt}, presence);
  SignOnDialog signOn(given);
  if (signOn.exec() != QDialog::Accepted || !signOn.context()) {
    withdrawShellPresence(presence);
    return 1;
  }
  publishShellPresence({::getpid(), true, signOn.context()}, presence);
  MenuWindow menu(*signOn.context(), menuScreens(programDirectories()));
  menu.show();
  const int code = QApplication::exec();
  withdrawShellPresence(presence);
  return code;
}
