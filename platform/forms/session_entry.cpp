// The user's path into a field: check, ValueCheck, required and possible-value
// checks, store, ValueDisplayed, totals. A refusal restores everything.
#include "platform/forms/entry_check.h"
#include "platform/forms/fiscal_period.h"
#include "platform/forms/messages.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

int runValueCheck(Session& s, Control& c, std::string& text) {
  if (!c.handlers().valueCheck) return 0;
  const int level = guarded(s, kSilentRefusal, [&] { return c.handlers().valueCheck(text); });
  if (level != 0 && level != kSilentRefusal)
    s.messages().message(kMsgEntryRefused, {controlLabel(c)});
  return level;
}

// Look-up lists match with patterns; only a row holding the typed value itself
// lists it, so "C%" is not taken for a customer ID.
bool rowHolds(const db::Statement& st, const std::string& value) {
  for (int i = 0; i < st.columnCount(); ++i) {
    const db::Value v = st.column(i);
    if (const auto* text = std::get_if<std::string>(&v); text && trim(*text) == value) return true;
    if (const auto* n = std::get_if<std::int64_t>(&v); n && std::to_string(*n) == value)
      return true;
  }
  return false;
}

int requiredAndListed(Session& s, Control& c, const std::string& text) {
  const std::string t = trim(text);
  if (t.empty()) {
    if (!c.desc().blankerr) return 0;
    s.messages().message(kMsgFieldRequired, {controlLabel(c)});
    return kMsgFieldRequired;
  }
  if (trim(c.desc().pv).empty() || !s.hasDatabase()) return 0;
  // A key whose list is its own records' navigation list: an unknown value is
  // a new record, not a wrong one.
  if (c.isKey() && trim(c.desc().pv) == trim(c.desc().dbnav)) return 0;
  return guarded(s, kSilentRefusal, [&] {
    db::Statement st = s.database().run(procCall(s, c.desc().pv, {t}));
    while (st.step())
      if (rowHolds(st, t)) return 0;
    s.messages().message(kMsgNotInList, {t, controlLabel(c)});
    return kMsgNotInList;
  });
}

// A level-0 key was entered: read its row (unless the handler did), or start a
// new record with the key and the defaults.
void afterKeyEntry(Session& s, Control& c, RecordRef rec) {
  auto& impl = s.impl();
  std::optional<bool> found = impl.keyLookupFound;
  if (!found && s.hasDatabase() && !(c.desc().dbnav.empty() && c.desc().pv.empty())) {
    const FieldDesc* f = s.fieldOf(c);
    db::Statement st = s.database().run(procCall(
        s, c.desc().dbnav.empty() ? c.desc().pv : c.desc().dbnav, {db::fieldValue(rec, *f)}));
    found = st.step();
    if (*found) {
      st.readInto(rec);
      impl.rows[rec.data] = RowMemory{true, tstampOf(st)};
    }
  }
  if (found.value_or(false)) {
    s.updates().setLevelChange(0, kLineUnchanged);
    return;
  }
  std::vector<std::pair<const FieldDesc*, std::string>> keys;
  for (const auto& f : s.forms())
    for (const auto& k : f->controls())
      if (k->isKey() && k->level() == 0)
        if (const FieldDesc* kf = s.fieldOf(*k)) keys.emplace_back(kf, fieldText(rec, *kf));
  if (const BoundRecord* b = boundAt(s, rec.data)) blankBound(*b);
  for (const auto& [kf, v] : keys) setFieldText(rec, *kf, v);
  applyRecordDefaults(s, 0);
  impl.rows[rec.data] = RowMemory{};
  s.updates().setLevelChange(0, kLineInserted);
}

EntryRules entryRules(Session& s, const Control& c) {
  EntryRules rules{s.currencyDecimals(), kDefaultPeriodsPerYear};
  if (c.desc().period && s.hasDatabase())
    rules.periodsPerYear = guarded(s, kDefaultPeriodsPerYear,
                                   [&] { return periodsPerYear(s.database()); });
  return rules;
}

void storeIntoLevel(Session& s, Control& c, RecordRef rec) {
  if (c.level() != 15) s.impl().edited = true;
  s.impl().entered = true;
  if (c.isGridColumn()) {
    GridTie* tie = s.impl().tieOf(c.form().control(c.desc().parent));
    if (tie->pendingNew) {
      tie->array->insert();
      tie->pendingNew = false;
    } else {
      tie->array->update();
    }
    if (s.updates().levelChange(gridLevel(s, *tie)) == kLineUnchanged)
      s.updates().setLevelChange(gridLevel(s, *tie), kLineUpdated);
    return;
  }
  const int level = c.level();
  if (c.isKey() && level == 0) {
    afterKeyEntry(s, c, rec);
  } else if (level != 15 && s.updates().levelChange(level) == kLineUnchanged) {
    s.updates().setLevelChange(level, kLineUpdated);
  }
}

}  // namespace

bool Session::enterValue(Control& control, std::string_view typed) {
  lastErrorLevel_ = kSilentRefusal;
  impl_->endCursorReads();
  if (!control.enabled() || !control.visible()) return false;
  RecordRef rec;
  const FieldDesc* field = fieldOf(control, &rec);
  if (!field) {
    messages().reportError(
        RuntimeError(kErrNoSuchField, "Control " + control.name() + " is not bound."));
    return false;
  }
  if (control.isGridColumn()) {
    GridTie* tie = impl_->tieOf(control.form().control(control.desc().parent));
    if (!tie) {
      messages().reportError(
          RuntimeError(kErrBadHandle, "Grid of " + control.name() + " is not set up."));
      return false;
    }
    if (tie->array->position() < 0 && !tie->pendingNew && !grids_->startNewLine(*tie->grid))
      return false;
  }
  EntryRefusal refusal;
  auto text = checkEntry(control, rec, *field, typed, entryRules(*this, control), refusal);
  if (!text) {
    messages().message(refusal.message, refusal.args);
    lastErrorLevel_ = refusal.message;
    return false;
  }
  SessionSnapshot before = takeSnapshot(*this);
  impl_->checking = &control;
  impl_->keyLookupFound.reset();
  int level = runValueCheck(*this, control, *text);
  impl_->checking = nullptr;
  if (level == 0) level = requiredAndListed(*this, control, *text);
  if (level == 0 && !setFieldText(rec, *field, *text)) {
    messages().message(kMsgBadValue, {*text, controlLabel(control)});
    level = kMsgBadValue;
  }
  if (level != 0) {
    restoreSnapshot(*this, before);
    lastErrorLevel_ = level;
    return false;
  }
  // Accepted: the grid's lines are no longer shared with it, so storing copies none.
  before = {};
  guarded(*this, 0, [&] {
    storeIntoLevel(*this, control, rec);
    return 0;
  });
  if (control.handlers().valueDisplayed)
    guarded(*this, 0, [&] {
      control.handlers().valueDisplayed();
      return 0;
    });
  recomputeTriggers(*this);
  ui_->fieldsShown({&control});
  lastErrorLevel_ = 0;
  return true;
}

bool Session::click(Control& control) {
  if (!control.enabled() || !control.visible()) return false;
  impl_->endCursorReads();
  if (control.cls() == ControlClass::Check) {
    RecordRef rec;
    const FieldDesc* f = fieldOf(control, &rec);
    const bool on = f && trim(fieldText(rec, *f)) == "1";
    return enterValue(control, on ? "0" : "1");
  }
  const bool clickable =
      control.cls() == ControlClass::Button || control.cls() == ControlClass::Grid;
  if (!clickable || !control.handlers().click) return false;
  return guarded(*this, 1, [&] {
           control.handlers().click();
           return 0;
         }) == 0;
}

std::string Session::displayText(const Control& control) const {
  switch (control.cls()) {
    case ControlClass::Label:
    case ControlClass::Button:
    case ControlClass::Frame:
      if (!control.bound()) return control.desc().caption;
      break;
    default:
      break;
  }
  RecordRef rec;
  const FieldDesc* f = fieldOf(control, &rec);
  if (!f) return std::string();
  const std::string shown = displayedField(*this, rec, *f);
  return control.desc().secret ? std::string(trim(shown).size(), '*') : shown;
}

}  // namespace corvena::forms
