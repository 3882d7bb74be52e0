// QM18200, the national account setup screen.
#include "runtime/screen_program.h"
#include "screens/setup/qm18200.h"
#include "screens/setup/qm18200_form.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{.program = "QM18200",
                                            .form = corvena::qm18200::QM18200Form,
                                            .registerHandlers = [](corvena::forms::Form& form) {
                                              corvena::qm18200::registerHandlers(form);
                                            }};
  return corvena::runtime::runScreen(argc, argv, screen);
}
