#include "platform/automation/automation_server.h"

#include <ext/stdio_filebuf.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/turn_wait.h"
#include "platform/automation/wire.h"

namespace corvena::automation {

namespace {

// An answer goes out just before the next request is read: a request whose
// screen waits in a modal form is answered then, and the request that lets the
// form go is answered once the work it let go on is done. Each answer carries
// the MESSAGE and STATUS lines the screen showed since the last.
class RequestServer {
 public:
  RequestServer(ScriptDriver& driver, std::istream& in, std::ostream& out)
      : driver_(driver), in_(in), out_(out), shownBefore_(driver.ui().shownLines().size()) {}

  Served serve() {
    driver_.serve([this] { return next(); },
                  [this](const Outcome& outcome) {
                    running_.pop_back();
                    pending_ = answerLine(outcome);
                  });
    flush();
    return handedOver_ ? Served::HandedOver : Served::Ended;
  }

 private:
  std::optional<Command> next() {
    if (!running_.empty() && !running_.back()) {
      running_.back() = true;
      pending_ = answerLine({});
    }
    flush();
    for (std::string text; readLine(text);) {
      if (auto command = parsed(text)) {
        running_.push_back(false);
        return command;
      }
      if (handedOver_) return std::nullopt;
      flush();
    }
    return std::nullopt;
  }

  // A screen shown on the desk while driven stays painted while it waits.
  bool readLine(std::string& text) {
    if (&in_ == &std::cin && !readableWithin(STDIN_FILENO))
      driver_.session().ui().awaitInput(STDIN_FILENO);
    return static_cast<bool>(std::getline(in_, text));
  }

  // Nothing when the line is answered here.
  std::optional<Command> parsed(const std::string& text) {
    pending_ = answerLine({});
    if (text == kHandOver) {
      if (!running_.empty())
        pending_ = answerLine({Outcome::Kind::Broken, {}, "a form of the screen waits for requests"});
      else
        handOver();
      return std::nullopt;
    }
    try {
      if (auto command = parseCommand(text, ++line_)) {
        pending_.reset();
        return command;
      }
    } catch (const ScriptError& e) {
      pending_ = answerLine({Outcome::Kind::Broken, {}, e.message()});
    }
    return std::nullopt;
  }

  // Before the caller hears the answer, which lets it end at any time: from
  // here on the screen neither dies with it nor shares its terminal's signals.
  void handOver() {
    ::prctl(PR_SET_PDEATHSIG, 0);
    ::setsid();
    handedOver_ = true;
  }

  void flush() {
    if (!pending_) return;
    const auto& shown = driver_.ui().shownLines();
    if (shownBefore_ > shown.size()) shownBefore_ = 0;
    for (; shownBefore_ < shown.size(); ++shownBefore_) out_ << saidLine(shown[shownBefore_]) << "\n";
    out_ << *pending_ << std::endl;
    pending_.reset();
  }

  ScriptDriver& driver_;
  std::istream& in_;
  std::ostream& out_;
  std::size_t shownBefore_;
  std::optional<std::string> pending_;
  // The requests being carried out, innermost last: whether each was answered already.
  std::vector<bool> running_;
  int line_ = 0;
  bool handedOver_ = false;
};

class FdStream : public std::ostream {
 public:
  explicit FdStream(int fd) : std::ostream(nullptr), buffer_(fd, std::ios::out) {
    rdbuf(&buffer_);
  }

 private:
  __gnu_cxx::stdio_filebuf<char> buffer_;
};

}  // namespace

Served serveRequests(ScriptDriver& driver, std::istream& in, std::ostream& out) {
  return RequestServer(driver, in, out).serve();
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
