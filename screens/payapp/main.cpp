// QM18300, the national account payment application screen.
#include "runtime/screen_program.h"
#include "screens/payapp/payapp_form.h"
#include "screens/payapp/payapp_screen.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{.program = "QM18300",
                                            .form = corvena::payapp::Form1Desc,
                                            .registerHandlers = [](corvena::forms::Form& form) {
                                              corvena::payapp::registerHandlers(form);
                                            }};
  return corvena::runtime::runScreen(argc, argv, screen);
}
