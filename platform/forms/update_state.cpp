// What changed at each level, the toolbar's buttons and the user's rights,
// numbering of new records, and the clerk's unsaved work.
#include "platform/forms/messages.h"
#include "platform/forms/session_impl.h"

namespace corvena::forms {

const std::vector<LevelDesc>& UpdateControl::levels() const {
  const Control* u = session_.updateControl();
  const std::string text = u ? u->desc().levels : std::string();
  if (text != session_.impl().levelsText || session_.impl().levels.empty()) {
    session_.impl().levels = parseLevels(text);
    session_.impl().levelsText = text;
  }
  return session_.impl().levels;
}

int UpdateControl::levelChange(int level) const {
  const auto it = session_.impl().levelChange.find(level);
  return it == session_.impl().levelChange.end() ? kLineUnchanged : it->second;
}

// Level 0 read or written as it stands means nothing is left unsaved; a level
// marked changed by code (or a deleted line) means something is.
void UpdateControl::setLevelChange(int level, int state) {
  session_.impl().levelChange[level] = state;
  if (level == 0 && state == kLineUnchanged)
    session_.impl().edited = session_.impl().entered = false;
  if (state == kLineUpdated || state == kLineDeleted) session_.impl().edited = true;
}

void UpdateControl::setButtons(int buttons, int level, int state) {
  auto apply = [&](int l) {
    int& mask = session_.impl().disabledButtons[l];
    mask = state == 0 ? (mask | buttons) : (mask & ~buttons);
  };
  if (level == kAllLevels) {
    for (int l = 0; l <= 15; ++l) apply(l);
  } else {
    apply(level);
  }
  session_.ui().buttonsChanged();
}

bool UpdateControl::buttonEnabled(int button, int level) const {
  const auto it = session_.impl().disabledButtons.find(level);
  return (it == session_.impl().disabledButtons.end() || !(it->second & button)) &&
         rightsAllow(button, level);
}

// A line of a record is part of changing it; the record itself is added or deleted whole.
bool UpdateControl::rightsAllow(int button, int level) const {
  const ScreenRights& r = session_.impl().rights;
  switch (button) {
    case kButtonNew:
      return level == 0 ? r.insert : r.insert || r.update;
    case kButtonSave:
      return r.insert || r.update;
    case kButtonDelete:
      return level == 0 ? r.remove : r.remove || r.update;
    default:
      return true;
  }
}

void UpdateControl::setRights(const ScreenRights& rights) {
  session_.impl().rights = rights;
  session_.ui().buttonsChanged();
}

const ScreenRights& UpdateControl::rights() const {
  return session_.impl().rights;
}

void UpdateControl::setAutoNumber(Control& key, std::string source,
                                  std::vector<Control*> detailKeys) {
  std::erase(detailKeys, nullptr);
  std::erase_if(detailKeys, [](Control* c) { return c->cls() == ControlClass::Update; });
  session_.impl().autoNumber = AutoNumber{&key, std::move(source), std::move(detailKeys)};
}

bool UpdateControl::hasUnsavedWork() const {
  return session_.impl().edited;
}

void UpdateControl::keepThroughRefusal(Control& control) {
  session_.impl().keptThroughRefusal.push_back(&control);
}

// A screen that cannot save what is on it (an inquiry, a user without the
// right) has nothing to ask about: the question could only be answered No.
bool UpdateControl::settleUnsaved(std::string_view action) {
  if (!session_.impl().edited || !session_.ui().asksBeforeDropping() ||
      !buttonEnabled(kButtonSave, 0))
    return true;
  session_.messages().message(kMsgSaveFirst, {std::string(action)});
  if (session_.messages().lastResponse() == kAnswerYes) return save();
  return session_.messages().lastResponse() == kAnswerNo;
}

}  // namespace corvena::forms
