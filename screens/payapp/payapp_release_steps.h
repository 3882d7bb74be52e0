#pragma once
// A host call of a release under an error report (runtime/host_error_report.h).

#include "runtime/host_error_report.h"

namespace corvena::payapp {

using runtime::hostStep;
using runtime::ReleaseEnded;

}  // namespace corvena::payapp
