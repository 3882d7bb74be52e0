// QM18900, the national account transfer credit memo/payment screen.
#include "runtime/screen_program.h"
#include "screens/transfer/transfer_form.h"
#include "screens/transfer/transfer_screen.h"

int main(int argc, char** argv) {
  corvena::runtime::ScreenDefinition screen{.program = "QM18900",
                                            .form = corvena::transfer::Form1Desc,
                                            .registerHandlers = [](corvena::forms::Form& form) {
                                              corvena::transfer::registerHandlers(form);
                                            },
                                            .runtime = corvena::runtime::transferRuntime()};
  return corvena::runtime::runScreen(argc, argv, screen);
}
