#pragma once
// A company database in a fresh temporary directory, built from schema files
// that the test writes itself.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

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
  ~ScratchDir() { std::filesystem::remove_all(path_); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  void write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name) << content;
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
};

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
