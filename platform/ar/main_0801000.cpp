// 0801000, the host's invoice and memo entry.
#include "platform/ar/host_program.h"
#include "platform/ar/invoice_entry.h"

int main(int argc, char** argv) {
  return corvena::ar::runHostScreen(
      argc, argv, {"0801000", corvena::ar::invoiceEntryForm, corvena::ar::attachInvoiceEntry});
}
