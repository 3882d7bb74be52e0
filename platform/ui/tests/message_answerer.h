#pragma once
// Answers each message box that opens with its default button, as a clerk
// pressing Enter would, and keeps its text. Shared by the desktop tests of
// the renderer and of the screens.

#include <QTimer>
#include <string>
#include <vector>

namespace corvena::ui::testing {

class MessageAnswerer {
 public:
  MessageAnswerer();
  std::vector<std::string> texts;

 private:
  QTimer timer_;
};

}  // namespace corvena::ui::testing
