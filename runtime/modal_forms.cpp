#include "runtime/modal_forms.h"

#include "runtime/host/kelpapi.h"
#include "runtime/host/host_process.h"
#include "runtime/kelpbas.h"

namespace corvena::runtime {

void DisplayFormModal(forms::Form* form, bool flag) {
  host::disp_form(form, flag);
  if (host::HostWaitsForForm() != 0) return;
  do {
    host::DoEvents();
  } while (host::formwait(form) == -1);
}

void LoadSubForm(forms::Form* form) {
  host::AddressofScreenExit(OnScreenExit);
  host::LoadFormEx(form, form ? static_cast<std::int32_t>(form->windowHandle()) : 0);
}

}  // namespace corvena::runtime
