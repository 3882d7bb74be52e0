#pragma once
// What a remittance reader says of a file it refuses; "read" when it takes it.

#include <string>
#include <string_view>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit::testing {

template <class Read>
std::string refusalOf(Read read, std::string_view text) {
  try {
    read(std::string(text));
  } catch (const RemitError& e) {
    return e.what();
  }
  return "read";
}

}  // namespace corvena::remit::testing
