// A screen opens on a record to work on, and work on it that is not saved is
// never dropped without the clerk's word.
#include "platform/forms/messages.h"
#include "platform/forms/session_impl.h"

namespace corvena::forms {

bool confirmedAtDesk(Session& s, int message, const std::vector<std::string>& args) {
  if (!s.ui().asksBeforeDropping()) return true;
  s.messages().message(message, args);
  return s.messages().lastResponse() == kAnswerYes;
}

bool Session::hasUnsavedWork() const {
  return impl_->edited;
}

void Session::keepThroughRefusal(Control& control) {
  impl_->keptThroughRefusal.push_back(&control);
}

// A screen that cannot save what is on it (an inquiry, a user without the
// right) has nothing to ask about: the question could only be answered No.
bool Session::settleUnsaved(std::string_view action) {
  if (!impl_->edited || !ui_->asksBeforeDropping() || !buttonEnabled(kButtonSave, 0)) return true;
  messages().message(kMsgSaveFirst, {std::string(action)});
  if (messages_->lastResponse() == kAnswerYes) return save();
  return messages_->lastResponse() == kAnswerNo;
}

void Session::raiseLoad(Form& form) {
  // A screen's load runs outside any event; its reads are long work all the same.
  impl_->loading = true;
  if (form.loadHandler()) form.loadHandler()();
  impl_->loading = false;
  if (&form == &mainForm()) openNewIfNoneRead(*this);
  if (impl_->eventDepth == 0) endWork();
}

// Opening, cancelling or deleting leaves the clerk on a record to work on: the
// one the screen read, else a new one with its defaults.
void openNewIfNoneRead(Session& s) {
  if (!s.updateControl() || s.levels().empty() || s.levels()[0].isGrid()) return;
  const RecordRef rec = levelRecord(s, 0);
  if (!rec || s.impl().rows[rec.data].exists) return;
  applyRecordDefaults(s, 0);
  s.setLevelChange(0, kLineInserted);
  s.displayFields(s.mainForm().range(nullptr, nullptr));
}

}  // namespace corvena::forms
