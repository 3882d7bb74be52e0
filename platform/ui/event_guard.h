#pragma once
// The boundary between a Qt event and the framework work it starts. A
// run-time error is reported and the work counts as refused; anything else
// (the screen ending its process) must not cross Qt's event loop: it is kept,
// the loop is left, and runGui throws it again to its caller.

#include <exception>

#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"

namespace corvena::ui {

void deferException(std::exception_ptr error);
// Throws the kept exception, if any, once.
void rethrowDeferred();

template <class Work>
bool guardedCall(forms::Session& session, Work&& work) {
  try {
    return static_cast<bool>(work());
  } catch (const forms::RuntimeError& error) {
    session.messages().reportError(error);
  } catch (...) {
    deferException(std::current_exception());
  }
  return false;
}

}  // namespace corvena::ui
