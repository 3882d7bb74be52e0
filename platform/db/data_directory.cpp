#include "platform/db/data_directory.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace corvena::db {

namespace {

namespace fs = std::filesystem;

std::vector<std::string> splitList(const std::string& list) {
  std::vector<std::string> dirs;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) dirs.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return dirs;
}

}  // namespace

std::string dataDirectory() {
  std::error_code ec;
  const auto self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const auto beside = self.parent_path().parent_path() / "share";
    if (fs::is_directory(beside / "sql", ec) && !ec) return beside.string();
  }
  return CORVENA_BUILD_SHARE_DIR;
}

std::vector<std::string> schemaDirectories() {
  if (const char* env = std::getenv("CORVENA_SCHEMA_PATH"); env && *env) return splitList(env);
  const auto sql = fs::path(dataDirectory()) / "sql";
  return {(sql / "host").string(), (sql / "module").string()};
}

std::string serverFunctionsFile() {
  return (fs::path(dataDirectory()) / "postgresql" / "functions.sql").string();
}

}  // namespace corvena::db
