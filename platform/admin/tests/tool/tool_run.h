#pragma once
// corvena-db run as an administrator runs it: a shell command line, its exit
// code and what it printed.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace corvena::demo::testing {

struct Result {
  int status;
  std::string output;  // standard output and error together
};

inline std::string quoted(const std::string& path) {
  return "'" + path + "'";
}

// The password, when given, as an administrator gives it: in CORVENA_PASSWORD.
inline Result tool(const std::string& args, const std::string& password = "") {
  const std::string command =
      (password.empty() ? "" : "CORVENA_PASSWORD=" + quoted(password) + " ") + CORVENA_DB_TOOL +
      " " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  Result r{-1, ""};
  if (!pipe) return r;
  std::array<char, 4096> buf{};
  while (std::fgets(buf.data(), buf.size(), pipe)) r.output += buf.data();
  const int raw = ::pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}

// Bytes overwritten at the page boundary nearest the file's middle, where a
// company file keeps rows no report reads first.
inline void spoilMiddle(const std::string& path) {
  const auto size = std::filesystem::file_size(path);
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(static_cast<std::streamoff>(size / 2 / 4096 * 4096));
  file << std::string(64, '\xFF');
}

}  // namespace corvena::demo::testing
