#include "platform/automation/driven_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "platform/automation/turn_wait.h"

namespace corvena::automation {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kCloseGrace{5000};
constexpr int kExecFailed = 127;

// Only async-signal-safe calls between fork and exec.
[[noreturn]] void becomeScreen(int fd, pid_t parent, const std::vector<char*>& argv) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (::getppid() != parent) ::_exit(kExecFailed);
  ::dup2(fd, STDIN_FILENO);
  ::dup2(fd, STDOUT_FILENO);
  ::execv(argv[0], argv.data());
  ::_exit(kExecFailed);
}

int remainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::unique_ptr<DrivenProcess> DrivenProcess::start(const std::string& path,
                                                    const std::vector<std::string>& arguments,
                                                    std::chrono::milliseconds answerTimeout) {
  std::vector<std::string> words{path, "--automate"};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
    throw StartFailure{kErrOperatingSystem, errno, "no channel to the screen"};
  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) becomeScreen(pair[1], parent, argv);
  const int forkErrno = errno;
  ::close(pair[1]);
  if (pid < 0) {
    ::close(pair[0]);
    throw StartFailure{kErrOperatingSystem, forkErrno, "cannot start " + path};
  }
  const std::string program = std::filesystem::path(path).filename().string();
  std::unique_ptr<DrivenProcess> process(new DrivenProcess(pid, pair[0], program, answerTimeout));
  process->greet();
  return process;
}

DrivenProcess::DrivenProcess(pid_t pid, int fd, std::string program,
                             std::chrono::milliseconds timeout)
    : pid_(pid), fd_(fd), program_(std::move(program)), timeout_(timeout) {}

DrivenProcess::~DrivenProcess() {
  close();
}

// A screen that ended or spoke no greeting did not start; its exit code says how.
void DrivenProcess::greet() {
  std::string line;
  try {
    line = readLine();
  } catch (const ProcessLost& e) {
    const int code = exitCode_ == kExecFailed ? kErrOperatingSystem : kErrDuringLoad;
    throw StartFailure{code, exitCode_, program_ + " did not start: " + e.what()};
  }
  const auto greeting = parseGreeting(line);
  if (!greeting) {
    close();
    throw StartFailure{kErrDuringLoad, 0, program_ + " does not speak automation: " + line};
  }
  if (!greeting->ok) {
    close();
    throw StartFailure{greeting->number, exitCode_, greeting->text};
  }
}

namespace {
std::atomic<std::int64_t> sentRequests{0};
std::atomic<std::int64_t> statementsOfScreens{0};
}  // namespace

std::int64_t DrivenProcess::requestsSent() { return sentRequests; }

std::int64_t DrivenProcess::screenStatements() { return statementsOfScreens; }

WireAnswer DrivenProcess::request(std::string_view line) {
  if (fd_ < 0) throw ProcessLost(program_ + " has ended");
  ++sentRequests;
  std::string text = escapeWire(line) + "\n";
  for (std::size_t sent = 0; sent < text.size();) {
    const ssize_t n = ::send(fd_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) lost("it stopped taking requests");
    sent += static_cast<std::size_t>(n);
  }
  std::vector<std::string> said;
  int typed = 0;
  for (;;) {
    const std::string answer = readLine();
    if (auto shown = parseSaid(answer)) {
      said.push_back(std::move(*shown));
      continue;
    }
    if (auto count = parseTyped(answer)) {
      typed = *count;
      continue;
    }
    auto parsed = parseAnswer(answer);
    if (!parsed) lost("it answered out of turn: " + answer);
    parsed->said = std::move(said);
    parsed->typed = typed;
    return *parsed;
  }
}

// Reaped whenever it ends, so that it leaves nothing behind in this process.
void DrivenProcess::letGo() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  std::thread([pid = pid_] { ::waitpid(pid, nullptr, 0); }).detach();
}

std::string DrivenProcess::readLine() {
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    if (const auto end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    readableWithin(fd_);
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, remainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) lost("it did not answer within " + std::to_string(timeout_.count()) + " ms");
    char buffer[4096];
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) lost("it ended");
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

void DrivenProcess::lost(const std::string& why) {
  ::kill(pid_, SIGKILL);
  reap(std::chrono::milliseconds(0));
  throw ProcessLost("the screen " + program_ + " was lost: " + why);
}

void DrivenProcess::close() {
  if (fd_ < 0) return;
  ::shutdown(fd_, SHUT_WR);
  reap(kCloseGrace);
}

// Waits for the screen to close its end, at most `grace`; then it is killed.
void DrivenProcess::reap(std::chrono::milliseconds grace) {
  if (fd_ < 0) return;
  const auto deadline = Clock::now() + grace;
  char buffer[4096];
  for (pollfd p{fd_, POLLIN, 0}; ::poll(&p, 1, remainingMs(deadline)) > 0;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) break;
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
  for (std::size_t end; (end = pending_.find('\n')) != std::string::npos; pending_.erase(0, end + 1))
    if (const auto statements = parseEnded(std::string_view(pending_).substr(0, end)))
      statementsOfScreens += *statements;
  ::close(fd_);
  fd_ = -1;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
  }
  if (WIFEXITED(status)) exitCode_ = WEXITSTATUS(status);
}

}  // namespace corvena::automation
