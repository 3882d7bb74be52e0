#pragma once
// Showing a second form and waiting for it, and handing a second form to the host.

#include "platform/forms/form.h"

namespace corvena::runtime {

void DisplayFormModal(forms::Form* form, bool flag);
void LoadSubForm(forms::Form* form);

}  // namespace corvena::runtime
