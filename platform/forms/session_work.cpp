#include <chrono>
#include <utility>

#include "platform/forms/session.h"
#include "platform/forms/session_impl.h"

namespace corvena::forms {

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

void waitAtModalForm(Session& s, Form& form) {
  struct Suspended {
    Session& session;
    int depth;
    explicit Suspended(Session& s) : session(s), depth(std::exchange(s.impl().eventDepth, 0)) {
      session.impl().endCursorReads();
      session.endWork();
    }
    ~Suspended() { session.impl().eventDepth = depth; }
  } suspended(s);
  s.ui().formShown(form, true);
}

void Session::noteWork() {
  Impl& i = *impl_;
  // Reads outside events and loads (a test's setting up) are nobody's wait.
  if (i.eventDepth == 0 && !i.loading) return;
  const auto now = Clock::now();
  if (i.workDone++ == 0) i.workToldAt = now;
  if (now - i.workToldAt < ui_->workNoticedAfter()) return;
  i.workToldAt = now;
  i.workTold = true;
  ui_->working(i.workDone);
}

void Session::endWork() {
  Impl& i = *impl_;
  i.workDone = 0;
  if (!std::exchange(i.workTold, false)) return;
  ui_->workEnded();
}

}  // namespace corvena::forms
