#pragma once
// One screen program run as a clerk's process: signed on, driven by a script
// file, its output kept; optionally killed outright after a delay. The
// administrator's tool runs beside the clerks the same way.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvena::stress {

struct RunResult {
  bool killed = false;    // ended by the harness's kill
  bool crashed = false;   // ended by a signal of its own
  int exitCode = 0;
  double seconds = 0;
  std::string output;
};

struct Launch {
  std::string program;  // path of the screen program
  std::string database;
  std::string user;
  std::string scriptPath;
  std::string outputPath;
};

// Starts the program; the caller waits for it with finish().
class Clerk {
 public:
  explicit Clerk(const Launch& launch);
  // Any other program, as the administrator runs it beside the clerks.
  Clerk(const std::vector<std::string>& command, const std::string& outputPath);
  Clerk(const Clerk&) = delete;
  Clerk& operator=(const Clerk&) = delete;
  Clerk(Clerk&& other) noexcept;
  ~Clerk();
  // Waits for the end; with killAfter, kills it with SIGKILL once that has passed.
  RunResult finish(std::optional<std::chrono::microseconds> killAfter = std::nullopt);
  // Waits for the end, killing it with SIGKILL as soon as killNow says so.
  RunResult finishWhen(const std::function<bool()>& killNow);

 private:
  int pid_ = -1;
  std::string outputPath_;
  std::chrono::steady_clock::time_point started_;
};

// Writes text to a file; throws std::runtime_error when it cannot.
void writeFile(const std::string& path, const std::string& text);

}  // namespace corvena::stress
