#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "platform/signon/shell_presence.h"
#include "runtime/host/host_process.h"

extern char** environ;

namespace corvena::host {

namespace {

// The last program started through ExecProg: while it runs, a shell may still sign on.
pid_t startedChild = 0;

std::vector<std::string> commandWords(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  for (char c : command) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

// "PARENT.EXE" names the program PARENT; it is looked for beside this program, then on PATH.
std::string programPath(std::string name) {
  if (name.size() > 4) {
    std::string ext = name.substr(name.size() - 4);
    for (auto& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".exe") name.resize(name.size() - 4);
  }
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto beside = self.parent_path() / name;
    if (std::filesystem::exists(beside)) return beside.string();
  }
  return name;
}

pid_t spawn(const std::string& command) {
  auto words = commandWords(command);
  if (words.empty()) return -1;
  words[0] = programPath(words[0]);
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  return pid;
}

bool childRunning() {
  if (startedChild <= 0) return false;
  int status = 0;
  return ::waitpid(startedChild, &status, WNOHANG) == 0;
}

int loginState(std::optional<signon::SignOnContext>& signOn) {
  const auto presence = signon::findShellPresence(signon::shellPresencePath());
  if (presence && presence->loginReady && presence->context) {
    signOn = presence->context;
    return 1;
  }
  return presence || childRunning() ? 0 : -1;
}

int runAndWait(const std::string& command) {
  const pid_t pid = spawn(command);
  if (pid <= 0) return -1;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

HostServices defaultHostServices() {
  HostServices s;
  s.shellRunning = [] { return signon::findShellPresence(signon::shellPresencePath()).has_value(); };
  s.prepareShellStart = [] {
    const auto path = signon::shellPresencePath();
    if (!signon::findShellPresence(path)) signon::withdrawShellPresence(path);
  };
  s.startProgram = [](const std::string& command) {
    startedChild = spawn(command);
    return startedChild > 0 ? 0 : 1;
  };
  s.loginState = loginState;
  // Headless there are no window events; polling the shell's presence a few times a second is
  // enough.
  s.pumpEvents = [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); };
  s.runProgramAndWait = runAndWait;
  s.endProcess = [](int code) {
    std::cout.flush();
    std::cerr.flush();
    std::exit(code);
  };
  return s;
}

HostServices inProcessServices() {
  HostServices s = defaultHostServices();
  s.shellRunning = [] { return true; };
  s.prepareShellStart = [] {};
  s.startProgram = [](const std::string&) { return 0; };
  s.loginState = [](std::optional<signon::SignOnContext>&) { return 1; };
  s.pumpEvents = [] {};
  s.endProcess = [](int code) { throw ProcessEnded{code}; };
  return s;
}

}  // namespace corvena::host
