// 0801000, the host's invoice and memo entry.
#include "platform/ar/invoice_entry.h"
#include "platform/shell/host_program.h"

int main(int argc, char** argv) {
  return corvena::shell::runHostScreen(
      argc, argv, {"0801000", corvena::ar::invoiceEntryForm, corvena::ar::attachInvoiceEntry});
}
