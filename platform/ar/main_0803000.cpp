// 0803000, the host's payment application.
#include "platform/ar/host_program.h"
#include "platform/ar/payment_entry.h"

int main(int argc, char** argv) {
  return corvena::ar::runHostScreen(
      argc, argv, {"0803000", corvena::ar::paymentEntryForm, corvena::ar::attachPaymentEntry});
}
