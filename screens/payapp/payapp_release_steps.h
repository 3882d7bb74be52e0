#pragma once
// A host call of a release under an error report: a refusal the report skips
// lets the release go on with its next step; anything else has been reported
// (its line written, its abort run) and ends the release.

#include <functional>

#include "platform/forms/runtime_error.h"
#include "runtime/host_error_report.h"

namespace corvena::payapp {

struct ReleaseEnded {};

inline void hostStep(const runtime::HostErrorReport& report, const std::function<void()>& call) {
  try {
    call();
  } catch (const forms::RuntimeError& e) {
    if (!runtime::ReportHostError(report, e).skipped) throw ReleaseEnded{};
  }
}

}  // namespace corvena::payapp
