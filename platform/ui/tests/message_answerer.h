#pragma once
// Answers each message box that opens with its default button, as a clerk
// pressing Enter would (or with Yes, when told), and keeps its text. Shared by the desktop tests of
// the renderer and of the screens.

#include <QTimer>
#include <string>
#include <vector>

namespace corvena::ui::testing {

class MessageAnswerer {
 public:
  MessageAnswerer();
  std::vector<std::string> texts;
  // Yes where a question offers it, rather than the default (No where work can be lost).
  bool answerYes = false;

 private:
  QTimer timer_;
};

}  // namespace corvena::ui::testing
