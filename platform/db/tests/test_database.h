#pragma once
// A company database in a fresh temporary directory, built from schema files
// that the test writes itself; or, where CORVENA_TEST_SERVER names a server
// ("postgresql://user@host"), a fresh database on that server.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/db/database.h"

namespace corvena::db::testing {

class ScratchDir {
 public:
  ScratchDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("corvena-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    for (const auto& entry : serverDatabases_) Database::remove(entry.second);
    std::filesystem::remove_all(path_);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  // Where a company database of the test goes: the file, or a database of its own
  // on the server under test (the same one for the same name), removed with the directory.
  std::string database(const std::string& name) const {
    const char* server = std::getenv("CORVENA_TEST_SERVER");
    if (!server || !*server) return file(name);
    for (const auto& [given, db] : serverDatabases_)
      if (given == name) return db;
    std::string db = "corvena_" + std::to_string(::getpid()) + "_" + std::to_string(counter()++) + "_";
    for (const char c : name) db += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    serverDatabases_.emplace_back(name, std::string(server) + "/" + db);
    return serverDatabases_.back().second;
  }
  void write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name) << content;
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
  mutable std::vector<std::pair<std::string, std::string>> serverDatabases_;
};

// True when the tests run against a server rather than files.
inline bool onServer() {
  const char* server = std::getenv("CORVENA_TEST_SERVER");
  return server && *server;
}

// Points the schema path at the directory for the life of the object.
class SchemaPath {
 public:
  explicit SchemaPath(const std::string& dirs) {
    const char* old = std::getenv("CORVENA_SCHEMA_PATH");
    had_ = old != nullptr;
    if (had_) old_ = old;
    ::setenv("CORVENA_SCHEMA_PATH", dirs.c_str(), 1);
  }
  ~SchemaPath() {
    if (had_)
      ::setenv("CORVENA_SCHEMA_PATH", old_.c_str(), 1);
    else
      ::unsetenv("CORVENA_SCHEMA_PATH");
  }

 private:
  bool had_ = false;
  std::string old_;
};

}  // namespace corvena::db::testing
