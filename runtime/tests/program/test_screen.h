#pragma once
// The runtime tests' own screen: a customer key and name saved at level 0, a
// button that shows a detail form modally, and the standard start-up and
// shutdown. The tests run it in-process and as a program of its own.

#include <string>

#include "platform/db/host_records.h"
#include "runtime/host/kelpapi.h"
#include "runtime/screen_program.h"

namespace corvena::runtime::testing {

struct TestScreen {
  Customer bCustomer;
  Customer nCustomer;
  host::Cursor CSR_Customer;
  forms::Form* detailForm = nullptr;
  std::string detailNote;
  int unloads = 0;
  ScreenDefinition definition();
  static forms::FormDesc detailDesc();
};

}  // namespace corvena::runtime::testing
