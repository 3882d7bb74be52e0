#include "platform/signon/shell_presence.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace corvena::signon {

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
    // The shell's ticket signs its screens on; the file is the user's own (privateTo).
    return resolveSignOn(options, [&](const std::string& name) {
      return name == "CORVENA_TICKET" ? get("ticket") : std::nullopt;
    });
  } catch (const SignOnError&) {
    return std::nullopt;
  }
}

bool privateTo(const struct stat& st, uid_t user) {
  return st.st_uid == user && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The file's text when another user could not have written it: the user's own
// regular file, not writable by others, in the user's own directory that only
// the user can enter. Anyone else's file could name a database and a user for
// the screens to sign on with.
std::optional<std::string> readPrivateFile(const std::string& path) {
  const uid_t me = ::geteuid();
  const auto parent = std::filesystem::path(path).parent_path();
  struct stat dir{};
  if (::stat(parent.empty() ? "." : parent.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode) ||
      dir.st_uid != me || (dir.st_mode & (S_IRWXG | S_IRWXO)) != 0)
    return std::nullopt;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat file{};
  std::string text;
  if (::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && privateTo(file, me)) {
    char buf[4096];
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  if (text.empty()) return std::nullopt;
  return text;
}

// Why the directory cannot hold the presence; made 0700 when missing. A link
// counts as someone else's: it could lead anywhere.
std::optional<std::string> directoryProblem(const std::string& dir) {
  ::mkdir(dir.c_str(), 0700);
  struct stat st{};
  if (::lstat(dir.c_str(), &st) != 0) return "the directory " + dir + " cannot be made";
  if (!S_ISDIR(st.st_mode)) return dir + " is not a directory of yours";
  if (st.st_uid != ::geteuid())
    return "the directory " + dir + " belongs to another user (uid " + std::to_string(st.st_uid) + ")";
  if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0)
    return "other users may enter the directory " + dir;
  return std::nullopt;
}

}  // namespace

std::string shellPresencePath() {
  if (const char* p = std::getenv("CORVENA_SHELL_PRESENCE"); p && *p) return p;
  if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir)
    return std::string(dir) + "/corvena-shell";
  return "/tmp/corvena-" + std::to_string(::geteuid()) + "/shell";
}

void publishShellPresence(const ShellPresence& presence, const std::string& path) {
  std::ostringstream out;
  out << "pid=" << presence.pid << "\nlogin=" << (presence.loginReady ? "ready" : "pending")
      << "\n";
  if (presence.context) {
    const auto& c = *presence.context;
    out << "db=" << c.database << "\nuser=" << c.user << "\ncompany=" << c.company
        << "\ndate=" << c.businessDate.iso() << "\nticket=" << c.ticket << "\n";
  }
  const auto parent = std::filesystem::path(path).parent_path();
  if (auto problem = directoryProblem(parent.empty() ? "." : parent.string()))
    throw PresenceRefused("The shell writes its sign-on only into a directory that is yours "
                          "alone, and " + *problem + ". Remove it, or set XDG_RUNTIME_DIR to "
                          "a directory only you may enter.");
  // The directory is the user's alone: a temporary file left there is this user's own.
  const auto temp = path + ".tmp";
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw PresenceRefused("The shell cannot write its sign-on to " + temp + ".");
  const std::string text = out.str();
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  std::error_code failed;
  if (written) std::filesystem::rename(temp, path, failed);
  if (!written || failed) {
    ::unlink(temp.c_str());
    throw PresenceRefused("The shell cannot write its sign-on to " + path + ".");
  }
}

void withdrawShellPresence(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

std::optional<ShellPresence> findShellPresence(const std::string& path) {
  const auto text = readPrivateFile(path);
  if (!text) return std::nullopt;
  std::istringstream in(*text);
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

}  // namespace corvena::signon
