#pragma once
// The form of QM18200, declared as data.

#include "platform/forms/form.h"

namespace corvena::qm18200 {

inline constexpr const char* Caption = "National Account Setup Screen (QM.182.00)";

forms::FormDesc QM18200Form();

}  // namespace corvena::qm18200
