// QM18100, the national account customer setup screen.
#include "runtime/screen_program.h"
#include "screens/customer/qm18100.h"
#include "screens/customer/qm18100_form.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{
      .program = "QM18100",
      .form = corvena::qm18100::QM18100Form,
      .registerHandlers = [](corvena::forms::Form& form) {
        corvena::qm18100::registerHandlers(form);
      }};
  return corvena::runtime::runScreen(argc, argv, screen);
}
