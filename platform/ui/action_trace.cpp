#include "platform/ui/action_trace.h"

#include "platform/ui/qt_text.h"

namespace corvena::ui {

ActionTrace::ActionTrace(const forms::Session& session)
    : session_(&session),
      saves_(session.updates().savesDone()),
      logLines_(session.messages().statusLog().size()) {}

bool ActionTrace::saved() const {
  return session_->updates().savesDone() > saves_;
}

QString ActionTrace::logged() const {
  const auto& log = session_->messages().statusLog();
  return log.size() > logLines_ ? qText(log.back().text) : QString();
}

}  // namespace corvena::ui
