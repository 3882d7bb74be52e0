// 0325000, the host's AR document inquiry.
#include "platform/ar/document_inquiry.h"
#include "platform/program/host_program.h"

int main(int argc, char** argv) {
  return corvena::program::runHostScreen(
      argc, argv, {"0325000", corvena::ar::documentInquiryForm, corvena::ar::attachDocumentInquiry});
}
