#pragma once
// The event boundary: handlers' run-time errors become the event's failure.

#include "platform/db/database.h"
#include "platform/forms/duplicate_key.h"
#include "platform/forms/messages.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"
#include "platform/forms/session_impl.h"

namespace corvena::forms {

template <class F>
int guarded(Session& s, int failure, F&& f) {
  struct Depth {
    Session& session;
    explicit Depth(Session& s) : session(s) { ++session.impl().eventDepth; }
    ~Depth() {
      if (--session.impl().eventDepth > 0) return;
      session.impl().endCursorReads();
      session.endWork();
    }
  } depth(s);
  try {
    return f();
  } catch (const RuntimeError& e) {
    s.messages().reportError(e);
  } catch (const DuplicateKey& e) {
    s.messages().message(kMsgDuplicateValue, {duplicateText(s, e)});
  } catch (const db::DbError& e) {
    s.messages().reportError(RuntimeError(kErrDatabase, e.what()));
  } catch (const std::exception& e) {
    s.messages().reportError(RuntimeError(kErrInternal, e.what()));
  }
  return failure;
}

}  // namespace corvena::forms
