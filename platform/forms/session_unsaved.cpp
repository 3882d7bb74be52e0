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
  if (!s.updateControl() || s.updates().levels().empty() || s.updates().levels()[0].isGrid())
    return;
  const RecordRef rec = levelRecord(s, 0);
  if (!rec || s.impl().rows[rec.data].exists) return;
  applyRecordDefaults(s, 0);
  s.updates().setLevelChange(0, kLineInserted);
  s.displayFields(s.mainForm().range(nullptr, nullptr));
}

}  // namespace corvena::forms
