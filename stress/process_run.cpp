#include "stress/process_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <utility>

namespace corvena::stress {

namespace {

[[noreturn]] void become(std::vector<std::string> args, const std::string& outputPath) {
  const int out = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int in = ::open("/dev/null", O_RDONLY);
  if (out < 0 || in < 0) _exit(127);
  ::dup2(in, STDIN_FILENO);
  ::dup2(out, STDOUT_FILENO);
  ::dup2(out, STDERR_FILENO);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::execv(argv[0], argv.data());
  _exit(127);
}

[[noreturn]] void becomeClerk(const Launch& l) {
  become({l.program, "--db", l.database, "--user", l.user, "--company", "DEMO", "--date",
          "2026-12-15", "--script", l.scriptPath},
         l.outputPath);
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

Clerk::Clerk(const Launch& launch)
    : outputPath_(launch.outputPath), started_(std::chrono::steady_clock::now()) {
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("cannot start " + launch.program);
  if (pid_ == 0) becomeClerk(launch);
}

Clerk::Clerk(const std::vector<std::string>& command, const std::string& outputPath)
    : outputPath_(outputPath), started_(std::chrono::steady_clock::now()) {
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("cannot start " + command[0]);
  if (pid_ == 0) become(command, outputPath);
}

Clerk::Clerk(Clerk&& other) noexcept
    : pid_(std::exchange(other.pid_, -1)),
      outputPath_(std::move(other.outputPath_)),
      started_(other.started_) {}

// A clerk never outlives the harness.
Clerk::~Clerk() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
}

RunResult Clerk::finish(std::optional<std::chrono::microseconds> killAfter) {
  if (!killAfter) return finishWhen({});
  const auto deadline = started_ + *killAfter;
  return finishWhen([deadline] { return std::chrono::steady_clock::now() >= deadline; });
}

RunResult Clerk::finishWhen(const std::function<bool()>& killNow) {
  RunResult r;
  int status = 0;
  if (killNow) {
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (killNow()) {
        ::kill(pid_, SIGKILL);
        r.killed = true;
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  } else {
    ::waitpid(pid_, &status, 0);
  }
  pid_ = -1;
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  if (WIFSIGNALED(status)) {
    r.crashed = !r.killed || WTERMSIG(status) != SIGKILL;
  } else {
    r.killed = false;  // it ended before the kill reached it
    r.exitCode = WEXITSTATUS(status);
  }
  r.output = readFile(outputPath_);
  return r;
}

}  // namespace corvena::stress
