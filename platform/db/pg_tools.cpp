#include "platform/db/pg_tools.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/db/database.h"

extern char** environ;

namespace corvena::db::pg {

namespace {

constexpr const char* kInstalled = "/usr/lib/postgresql";
constexpr std::size_t kReportedTail = 1500;

std::string toolPath(const std::string& tool) {
  std::error_code ec;
  std::string newest;
  double newestVersion = -1;
  for (const auto& entry : std::filesystem::directory_iterator(kInstalled, ec)) {
    const std::string path = (entry.path() / "bin" / tool).string();
    const double version = std::strtod(entry.path().filename().c_str(), nullptr);
    if (version > newestVersion && ::access(path.c_str(), X_OK) == 0) {
      newest = path;
      newestVersion = version;
    }
  }
  if (newest.empty())
    throw DbError(tool + " was not found in " + kInstalled +
                  "/*/bin; install the PostgreSQL client tools.");
  return newest;
}

pid_t spawn(const std::string& path, const std::vector<std::string>& args, int output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output, 1);
  posix_spawn_file_actions_adddup2(&actions, output, 2);
  std::vector<char*> argv{const_cast<char*>(path.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw DbError("Cannot start " + path + ": " + std::strerror(rc) + ".");
  return pid;
}

std::string readAll(int fd) {
  std::string text;
  char buf[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0)
      text.append(buf, static_cast<std::size_t>(n));
    else if (n == 0 || errno != EINTR)
      return text;
  }
}

// Empty when the tool exited 0; else how it ended.
std::string endOf(const std::string& tool, pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return tool + " was lost";
  if (WIFSIGNALED(status)) return tool + " was ended by signal " + std::to_string(WTERMSIG(status));
  return WEXITSTATUS(status) == 0 ? "" : tool + " failed";
}

}  // namespace

std::string runTool(const std::string& tool, const std::vector<std::string>& args,
                    const std::string& failure) {
  const std::string path = toolPath(tool);
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
    throw DbError("Cannot start " + tool + ": " + std::strerror(errno) + ".");
  pid_t pid = -1;
  try {
    pid = spawn(path, args, pipeEnds[1]);
  } catch (...) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    throw;
  }
  ::close(pipeEnds[1]);
  std::string output = readAll(pipeEnds[0]);
  ::close(pipeEnds[0]);
  const std::string ended = endOf(tool, pid);
  if (ended.empty()) return output;
  while (!output.empty() && std::isspace(static_cast<unsigned char>(output.back())))
    output.pop_back();
  if (output.size() > kReportedTail) output = "..." + output.substr(output.size() - kReportedTail);
  throw DbError(failure + ": " + (output.empty() ? ended : output));
}

}  // namespace corvena::db::pg
