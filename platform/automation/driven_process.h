#pragma once
// The driving side of screen automation: a screen program started in its own
// process with --automate, one request written and its answer read before the
// next. The process ends when its requests end (close or destruction) and with
// the process that started it, unless handed over to the clerk; a lost or
// silent process is killed, never waited for.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/wire.h"

namespace corvena::automation {

// The screen did not come up: a start-up number of the wire and a detail
// (the errno of a failed start, the exit code of a screen that ended).
struct StartFailure {
  int code = 0;
  long detail = 0;
  std::string description;
};

// The driven process died or did not answer in time.
class ProcessLost : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class DrivenProcess {
 public:
  // Starts `path --automate ARGUMENTS` and reads its greeting; throws StartFailure.
  static std::unique_ptr<DrivenProcess> start(const std::string& path,
                                              const std::vector<std::string>& arguments,
                                              std::chrono::milliseconds answerTimeout);
  ~DrivenProcess();
  DrivenProcess(const DrivenProcess&) = delete;
  DrivenProcess& operator=(const DrivenProcess&) = delete;

  // One request line and its answer; throws ProcessLost.
  WireAnswer request(std::string_view line);
  // Requests this process has sent to all its driven screens so far.
  static std::int64_t requestsSent();
  // Database statements the driven screens of this process ran, as each told
  // at its end (a screen killed or handed over tells nothing).
  static std::int64_t screenStatements();
  // Ends the requests and waits a bounded time for the screen to close.
  void close();
  // After the screen took a hand-over request: it is the clerk's, neither
  // waited for nor killed, and takes no more requests.
  void letGo();
  pid_t pid() const { return pid_; }
  const std::string& program() const { return program_; }

 private:
  DrivenProcess(pid_t pid, int fd, std::string program, std::chrono::milliseconds timeout);
  void greet();
  std::string readLine();
  [[noreturn]] void lost(const std::string& why);
  void reap(std::chrono::milliseconds grace);

  pid_t pid_;
  int fd_;
  std::string program_;
  std::chrono::milliseconds timeout_;
  std::string pending_;
  int exitCode_ = 0;
};

}  // namespace corvena::automation
