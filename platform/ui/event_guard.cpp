#include "platform/ui/event_guard.h"

#include <QCoreApplication>
#include <utility>

namespace corvena::ui {

namespace {

std::exception_ptr& deferred() {
  static std::exception_ptr error;
  return error;
}

}  // namespace

void deferException(std::exception_ptr error) {
  if (!deferred()) deferred() = std::move(error);
  QCoreApplication::exit(0);
}

void rethrowDeferred() {
  if (!deferred()) return;
  std::exception_ptr error = std::exchange(deferred(), nullptr);
  std::rethrow_exception(error);
}

}  // namespace corvena::ui
