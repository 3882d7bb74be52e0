#include "platform/ui/action_trace.h"

#include "platform/ui/qt_text.h"

namespace corvena::ui {

ActionTrace::ActionTrace(const forms::Session& session)
    : session_(&session),
      unsaved_(session.hasUnsavedWork()),
      logLines_(session.statusLog().size()) {}

bool ActionTrace::saved() const {
  return unsaved_ && !session_->hasUnsavedWork();
}

QString ActionTrace::logged() const {
  const auto& log = session_->statusLog();
  return log.size() > logLines_ ? qText(log.back().text) : QString();
}

}  // namespace corvena::ui
