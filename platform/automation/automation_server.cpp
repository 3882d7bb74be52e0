#include "platform/automation/automation_server.h"

#include <ext/stdio_filebuf.h>
#include <unistd.h>

#include <iostream>
#include <string>

#include "platform/automation/wire.h"

namespace corvena::automation {

namespace {

std::string answerRequest(ScriptDriver& driver, std::string_view text, int line) {
  try {
    const auto command = parseCommand(text, line);
    if (!command) return answerLine({});
    return answerLine(driver.answer(*command));
  } catch (const ScriptError& e) {
    return answerLine({Outcome::Kind::Broken, {}, e.message()});
  }
}

class FdStream : public std::ostream {
 public:
  explicit FdStream(int fd) : std::ostream(nullptr), buffer_(fd, std::ios::out) {
    rdbuf(&buffer_);
  }

 private:
  __gnu_cxx::stdio_filebuf<char> buffer_;
};

}  // namespace

void serveRequests(ScriptDriver& driver, std::istream& in, std::ostream& out) {
  int line = 0;
  for (std::string text; std::getline(in, text);) out << answerRequest(driver, text, ++line) << std::endl;
}

std::unique_ptr<std::ostream> takeStandardOutputForWire() {
  std::cout.flush();
  const int wire = ::dup(STDOUT_FILENO);
  ::dup2(STDERR_FILENO, STDOUT_FILENO);
  return std::make_unique<FdStream>(wire);
}

std::ostream& discardedOutput() {
  static std::ostream nowhere(nullptr);
  return nowhere;
}

}  // namespace corvena::automation
