// QM18800, the national accounts payment inquiry.
#include "runtime/screen_program.h"
#include "screens/inquiry/qm18800.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{.program = "QM18800",
                                            .form = corvena::qm18800::QM18800Form,
                                            .registerHandlers = [](corvena::forms::Form& form) {
                                              corvena::qm18800::registerHandlers(form);
                                            }};
  return corvena::runtime::runScreen(argc, argv, screen);
}
