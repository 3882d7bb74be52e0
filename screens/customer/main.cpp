// QM18100, the national account customer setup screen.
#include "screens/customer/qm18100_program.h"

int main(int argc, char** argv) {
  return corvena::runtime::runScreen(argc, argv, corvena::qm18100::QM18100Program());
}
