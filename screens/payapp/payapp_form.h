#pragma once
// The payment application's main form as declared: every control with its properties.

#include "platform/forms/form.h"

namespace corvena::payapp {

const forms::FormDesc& Form1Desc();

}  // namespace corvena::payapp
