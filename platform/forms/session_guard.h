#pragma once
// The event boundary: handlers' run-time errors become the event's failure.

#include "platform/db/database.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"

namespace corvena::forms {

template <class F>
int guarded(Session& s, int failure, F&& f) {
  try {
    return f();
  } catch (const RuntimeError& e) {
    s.reportError(e);
  } catch (const db::DbError& e) {
    s.reportError(RuntimeError(kErrDatabase, e.what()));
  }
  return failure;
}

}  // namespace corvena::forms
