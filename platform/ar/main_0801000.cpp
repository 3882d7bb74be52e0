// 0801000, the host's invoice and memo entry.
#include "platform/ar/invoice_entry.h"
#include "platform/program/host_program.h"

int main(int argc, char** argv) {
  return corvena::program::runHostScreen(
      argc, argv, {"0801000", corvena::ar::invoiceEntryForm, corvena::ar::attachInvoiceEntry});
}
