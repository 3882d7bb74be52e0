// 0803000, the host's payment application.
#include "platform/ar/payment_entry.h"
#include "platform/program/host_program.h"

int main(int argc, char** argv) {
  return corvena::program::runHostScreen(
      argc, argv, {"0803000", corvena::ar::paymentEntryForm, corvena::ar::attachPaymentEntry});
}
