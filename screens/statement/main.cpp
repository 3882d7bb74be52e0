// QM18700, the national account statement.
#include "runtime/screen_program.h"
#include "screens/statement/qm18700.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{.program = "QM18700",
                                            .form = corvena::qm18700::QM18700Form,
                                            .registerHandlers = [](corvena::forms::Form& form) {
                                              corvena::qm18700::registerHandlers(form);
                                            }};
  return corvena::runtime::runScreen(argc, argv, screen);
}
