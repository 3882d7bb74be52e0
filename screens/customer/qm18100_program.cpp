#include "screens/customer/qm18100_program.h"

#include "screens/customer/qm18100.h"
#include "screens/customer/qm18100_form.h"

namespace corvena::qm18100 {

const runtime::ScreenDefinition& QM18100Program() {
  static const runtime::ScreenDefinition program{
      .program = "QM18100", .form = QM18100Form, .registerHandlers = [](forms::Form& form) {
        registerHandlers(form);
      }};
  return program;
}

}  // namespace corvena::qm18100
