#include "platform/forms/message_log.h"

#include "platform/forms/messages.h"
#include "platform/forms/session.h"

namespace corvena::forms {

int MessageLog::messageBox(std::string_view text, int style, std::string_view caption) {
  lastMessageNumber_ = 0;
  lastResponse_ = session_.ui().messageBox(text, style, caption);
  return lastResponse_;
}

void MessageLog::message(int number, const std::vector<std::string>& args) {
  messageBox(formatMessage(number, args), messageStyle(number), kMessageCaption);
  lastMessageNumber_ = number;
}

void MessageLog::status(int code, int stop, std::string_view text, int mode) {
  (void)stop;
  if (code == kStatusWrite) statusLog_.push_back({mode, std::string(text)});
  session_.ui().status(code, text, mode);
}

void MessageLog::reportError(const RuntimeError& error) {
  message(kMsgRuntimeError, {std::to_string(error.number()), error.description()});
}

}  // namespace corvena::forms
