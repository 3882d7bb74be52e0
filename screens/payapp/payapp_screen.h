#pragma once
// The payment application screen: its form and every handler of it.

#include "platform/forms/form.h"

namespace corvena::payapp {

// Creates the screen's state for the form's session and registers the load and
// unload handlers and every control's handlers, the colleague parts' included.
void registerHandlers(forms::Form& Form1);

}  // namespace corvena::payapp
