#include "screens/payapp/payapp_screen.h"

#include "screens/payapp/payapp_apply.h"
#include "screens/payapp/payapp_save.h"
#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

void registerHandlers(forms::Form& Form1) {
  createPayApp(Form1.session()).bindControls(Form1);
  registerApplyHandlers();
  registerSaveHandlers();
}

}  // namespace corvena::payapp
