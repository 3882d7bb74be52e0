#include "runtime/host_error_report.h"

#include <cmath>
#include <limits>

#include "runtime/host/kelpapi.h"
#include "runtime/host_screen.h"
#include "runtime/text_value.h"

namespace corvena::runtime {

namespace {

constexpr std::int64_t kObjectErrorOffset = -static_cast<std::int64_t>(HostObjectErrorBase);

struct Row {
  std::int32_t number;
  const char* lead;
  bool withValue;
  const char* errorClass;
};

constexpr Row kRows[] = {
    {2049, "Fatal Corvena Error: ", true, "FATAL"},
    {2050, "Fatal Internal Object Model Error: ", true, "FATAL"},
    {7506, "Not Logged in: ", false, "STARTUP"},
    {7516, "User has insufficient rights: ", false, "STARTUP"},
    {7517, "User has limited access: ", false, "STARTUP"},
    {7519, "Operating System Error: ", true, "STARTUP"},
    {7520, "Error during load: ", false, "STARTUP"},
    {7521, "User does not have rights for initialize mode: ", false, "STARTUP"},
    {7555, "No object handle: ", false, "STARTUP"},
};

std::string numberText(double v) {
  if (std::floor(v) == v && std::fabs(v) < 1e15) return std::to_string(static_cast<long long>(v));
  return std::to_string(v);
}

std::string unexpected(std::int32_t n, std::string_view description) {
  return "Unexpected error #" + std::to_string(n) + ": " + std::string(description) + ". ";
}

// 7519 has no separator between the value and the description; the others a colon.
std::string rowLine(const Row& row, double v, std::string_view description) {
  std::string line = row.lead;
  if (row.withValue) line += numberText(v) + (row.number == 7519 ? "" : ":");
  return line + std::string(description);
}

ReportedError classify(const HostErrorReport& report, std::int32_t n, double v,
                       std::string_view description) {
  const bool ownRow = !report.numbersWithoutRows.contains(n);
  if (ownRow && n == 2048) {
    const long code = static_cast<long>(v);
    if (report.skippedCodes.contains(code)) return {true, n, {}, {}};
    const auto special = report.codeTexts.find(code);
    return {false, n, special != report.codeTexts.end() ? special->second : unexpected(n, description),
            "NOTFATAL"};
  }
  for (const Row& row : kRows)
    if (ownRow && row.number == n) return {false, n, rowLine(row, v, description), row.errorClass};
  return {false, n, unexpected(n, description), "STARTUP"};
}

}  // namespace

std::int32_t adjustedErrorNumber(std::int32_t number, std::string_view description) {
  const std::int64_t sum = static_cast<std::int64_t>(number) + kObjectErrorOffset;
  if (sum > std::numeric_limits<std::int32_t>::max()) return number;
  if (description.find("Corvena") != std::string_view::npos || sum > 0)
    return static_cast<std::int32_t>(sum);
  return number;
}

ReportedError ReportHostError(const HostErrorReport& report, std::int32_t number,
                              std::string_view description) {
  const std::int32_t n = adjustedErrorNumber(number, description);
  ReportedError result = classify(report, n, Val(description), description);
  if (result.skipped) return result;
  host::Status(host::StatusWrite, 0, result.line, host::StatusError);
  if (report.abort) report.abort(result.errorClass);
  return result;
}

void typingSteps(const HostErrorReport& report, HostScreen& screen,
                 const std::vector<TypedStep>& steps) {
  for (std::size_t step = 0; step < steps.size();) {
    TypedStep pairs;
    for (std::size_t s = step; s < steps.size(); ++s)
      pairs.insert(pairs.end(), steps[s].begin(), steps[s].end());
    try {
      screen.TypeValues(pairs);
      return;
    } catch (const forms::RuntimeError& e) {
      if (!ReportHostError(report, e).skipped) throw ReleaseEnded{};
      for (std::size_t typed = screen.TypedBeforeRefusal();
           step < steps.size() && typed >= steps[step].size(); ++step)
        typed -= steps[step].size();
      ++step;
    }
  }
}

ReportedError ReportHostError(const HostErrorReport& report, const forms::RuntimeError& error) {
  return ReportHostError(report, error.number(), error.description());
}

}  // namespace corvena::runtime
