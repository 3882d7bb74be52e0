#include "platform/shell/shell_presence.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace corvena::shell {

namespace {

bool processAlive(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::map<std::string, std::string> readFields(std::istream& in) {
  std::map<std::string, std::string> fields;
  for (std::string line; std::getline(in, line);) {
    const auto eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return fields;
}

std::optional<SignOnContext> contextFrom(const std::map<std::string, std::string>& f) {
  const auto get = [&](const char* k) -> std::optional<std::string> {
    const auto it = f.find(k);
    if (it == f.end()) return std::nullopt;
    return it->second;
  };
  SignOnOptions options{get("db"), get("user"), get("company"), get("date")};
  try {
    return resolveSignOn(options, [](const std::string&) { return std::nullopt; });
  } catch (const SignOnError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string shellPresencePath() {
  if (const char* p = std::getenv("CORVENA_SHELL_PRESENCE"); p && *p) return p;
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
    return std::string(dir) + "/corvena-shell";
  return "/tmp/corvena-shell-" + std::to_string(::getuid());
}

void publishShellPresence(const ShellPresence& presence, const std::string& path) {
  std::ostringstream out;
  out << "pid=" << presence.pid << "\nlogin=" << (presence.loginReady ? "ready" : "pending")
      << "\n";
  if (presence.context) {
    const auto& c = *presence.context;
    out << "db=" << c.database << "\nuser=" << c.user << "\ncompany=" << c.company
        << "\ndate=" << c.businessDate.iso() << "\n";
  }
  const auto temp = path + ".tmp";
  std::ofstream(temp, std::ios::trunc) << out.str();
  std::filesystem::rename(temp, path);
}

void withdrawShellPresence(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

std::optional<ShellPresence> findShellPresence(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  const auto fields = readFields(in);
  ShellPresence presence;
  const auto pid = fields.find("pid");
  if (pid == fields.end()) return std::nullopt;
  presence.pid = std::strtol(pid->second.c_str(), nullptr, 10);
  if (!processAlive(presence.pid)) return std::nullopt;
  const auto login = fields.find("login");
  presence.loginReady = login != fields.end() && login->second == "ready";
  presence.context = contextFrom(fields);
  return presence;
}

}  // namespace corvena::shell
