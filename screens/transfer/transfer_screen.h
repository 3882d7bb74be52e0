#pragma once
// The transfer screen: its forms and every handler of them.

#include "platform/forms/form.h"

namespace corvena::transfer {

// Creates the screen's state for the form's session and registers the main
// form's handlers; the detail-lines form's are registered when it is loaded.
void registerHandlers(forms::Form& Form1);

}  // namespace corvena::transfer
