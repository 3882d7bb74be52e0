#pragma once
// What a screen tells the clerk: message boxes, the host's numbered messages
// and the process status log.

#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/runtime_error.h"
#include "platform/forms/ui.h"

namespace corvena::forms {

class Session;

class MessageLog {
 public:
  explicit MessageLog(Session& session) : session_(session) {}
  MessageLog(const MessageLog&) = delete;
  MessageLog& operator=(const MessageLog&) = delete;

  int messageBox(std::string_view text, int style, std::string_view caption);
  int lastResponse() const { return lastResponse_; }
  // The number of the host message the last message box showed; 0 for a text of the screen's own.
  int lastMessageNumber() const { return lastMessageNumber_; }
  void message(int number, const std::vector<std::string>& args = {});
  void status(int code, int stop, std::string_view text, int mode);
  // The lines written to the process status log since the session began.
  const std::vector<StatusLine>& statusLog() const { return statusLog_; }
  // Reports a run-time error through a message box.
  void reportError(const RuntimeError& error);

 private:
  Session& session_;
  int lastResponse_ = 0;
  int lastMessageNumber_ = 0;
  std::vector<StatusLine> statusLog_;
};

}  // namespace corvena::forms
