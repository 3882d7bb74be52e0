#pragma once
// The error report of a release driving host screens: each caller configures
// which refusals skip the step, which have a text of their own and what aborts
// the release; the report writes the error line to the status log, runs the
// abort with the error's class, and says whether the release may go on.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/forms/runtime_error.h"

namespace corvena::runtime {

struct HostErrorReport {
  std::set<long> skippedCodes;             // refusal codes (2048) that skip the step
  std::map<long, std::string> codeTexts;   // refusal codes reported with their own line
  std::set<std::int32_t> numbersWithoutRows;  // reported under the table's last row
  std::function<void(std::string_view errorClass)> abort;  // "STARTUP", "FATAL", "NOTFATAL"
};

struct ReportedError {
  bool skipped = false;  // the step is skipped and the release goes on
  std::int32_t number = 0;
  std::string line;
  std::string errorClass;
};

// The number a host object error carries for the table: offset back when the
// description names the host or the offset sum is positive; a sum outside 32
// bits is no host object error and keeps its number.
std::int32_t adjustedErrorNumber(std::int32_t number, std::string_view description);

ReportedError ReportHostError(const HostErrorReport& report, std::int32_t number,
                              std::string_view description);
ReportedError ReportHostError(const HostErrorReport& report, const forms::RuntimeError& error);

// Thrown when a host step was reported (its line written, its abort run): the release ends.
struct ReleaseEnded {};

// A host call of a release under its error report: a refusal the report skips
// lets the release go on with its next step; anything else ends the release.
inline void hostStep(const HostErrorReport& report, const std::function<void()>& call) {
  try {
    call();
  } catch (const forms::RuntimeError& e) {
    if (!ReportHostError(report, e).skipped) throw ReleaseEnded{};
  }
}

class HostScreen;
// The values one host step types, each control with its text.
using TypedStep = std::vector<std::pair<std::string, std::string>>;

// Host steps that only type values, as many steps in one request as refusals
// allow: the screen types every pair in turn; a refusal the report skips goes
// on with the step after the refused pair's, as the steps made one by one
// would, and anything else ends the release.
void typingSteps(const HostErrorReport& report, HostScreen& screen,
                 const std::vector<TypedStep>& steps);

}  // namespace corvena::runtime
