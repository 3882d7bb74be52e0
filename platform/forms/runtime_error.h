#pragma once
// A run-time error raised by a handler or by a framework call. The framework
// catches it at the event boundary, shows it and treats the event as failed.

#include <stdexcept>
#include <string>

namespace corvena::forms {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string description)
      : std::runtime_error("Error " + std::to_string(number) + ": " + description),
        number_(number),
        description_(std::move(description)) {}
  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// Error numbers the framework itself raises.
inline constexpr int kErrNoSuchControl = 340;
inline constexpr int kErrNoSuchRecord = 341;
inline constexpr int kErrNoSuchField = 342;
inline constexpr int kErrNoDatabase = 3000;
inline constexpr int kErrDatabase = 3001;
inline constexpr int kErrBadHandle = 3002;
inline constexpr int kErrBadProperty = 3003;
inline constexpr int kErrInternal = 3004;  // a fault no handler expected (out of memory, ...)

}  // namespace corvena::forms
