// The update control: save, delete, cancel, new record and navigation. A save
// or delete is one transaction; any refusal or error rolls it back and puts
// the screen's records and lines back as they were.
#include "platform/forms/update_control.h"

#include <cstring>
#include <utility>

#include "platform/forms/duplicate_key.h"
#include "platform/forms/entry_check.h"
#include "platform/forms/messages.h"
#include "platform/forms/record_writer.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

// Ends a save or delete: the message to show (0: the handler has told the user).
struct Refusal {
  int message = 0;
  std::vector<std::string> args;
};

std::vector<const FieldDesc*> keyFields(Session& s, const RecordRef& rec, int level) {
  std::vector<const FieldDesc*> keys;
  for (const auto& f : s.forms())
    for (const auto& c : f->controls()) {
      RecordRef r;
      const FieldDesc* fd = c->isKey() && c->level() == level ? s.fieldOf(*c, &r) : nullptr;
      if (fd && r.data == rec.data) keys.push_back(fd);
    }
  return keys;
}

// How rows of the table are found: its primary key, else the key controls.
std::vector<const FieldDesc*> rowKey(Session& s, const std::string& table, const RecordRef& rec,
                                     int level) {
  auto keys = primaryKeyFields(s.database(), table, *rec.layout);
  return keys.empty() ? keyFields(s, rec, level) : keys;
}

std::string levelName(Session& s, int level) {
  const auto& lv = s.updates().levels();
  return level >= 0 && level < static_cast<int>(lv.size()) ? lv[level].name
                                                           : "Level " + std::to_string(level);
}

Control& update(Session& s) {
  if (Control* u = s.updateControl()) return *u;
  throw RuntimeError(kErrNoSuchControl, "The form has no update control.");
}

void raiseLevel(Session& s, const std::function<int()>& handler, int level, int failMessage) {
  if (!handler) return;
  const int el = guarded(s, kSilentRefusal, handler);
  if (el == kSilentRefusal) throw Refusal{};
  if (el != 0) throw Refusal{failMessage, {levelName(s, level) + " refused."}};
}

void dropStatements(Session& s) {
  for (auto& [id, c] : s.impl().cursors) c.statement = db::Statement();
}

bool blankField(const RecordRef& rec, const FieldDesc& f) {
  return trim(fieldText(rec, f)).empty();
}

// A lower level with no record read and nothing entered in it or below it
// (a batch recalled alone, no document on the screen) has nothing to save.
bool nothingAt(Session& s, int level, const RecordRef& rec) {
  const auto row = s.impl().rows.find(rec.data);
  if (level == 0 || (row != s.impl().rows.end() && row->second.exists)) return false;
  for (int l = level; l < static_cast<int>(s.updates().levels().size()); ++l)
    if (s.updates().levelChange(l) != kLineUnchanged) return false;
  return true;
}

// Required fields of every level (a record's whether or not it changed) and
// of every line about to be written. A disabled field is never required: the
// clerk could not fill it.
void checkRequired(Session& s) {
  for (const auto& form : s.forms())
    for (const auto& c : form->controls()) {
      if (!c->desc().blankerr || !c->enabled()) continue;
      RecordRef rec;
      const FieldDesc* f = s.fieldOf(*c, &rec);
      if (!f) continue;
      if (!c->isGridColumn()) {
        if (c->level() < static_cast<int>(s.updates().levels().size()) && blankField(rec, *f) &&
            !nothingAt(s, c->level(), rec))
          throw Refusal{kMsgFieldRequired, {controlLabel(*c)}};
        continue;
      }
      GridTie* t = s.impl().tieOf(form->control(c->desc().parent));
      const auto& recs = t->array->records();
      for (std::size_t r = 0; r < recs.size(); ++r)
        for (std::size_t i = 0; recs[r].data == rec.data && i < t->array->size(); ++i) {
          const Line& l = std::as_const(*t->array).line(i);
          if (l.state != kLineUnchanged && blankField(t->array->view(l.data, r), *f))
            throw Refusal{kMsgFieldRequired, {controlLabel(*c)}};
        }
    }
}

void setEverywhere(Session& s, Control& c, const std::string& value) {
  RecordRef rec;
  const FieldDesc* f = s.fieldOf(c, &rec);
  if (!f) return;
  setFieldText(rec, *f, value);
  if (!c.isGridColumn()) return;
  GridTie* t = s.impl().tieOf(c.form().control(c.desc().parent));
  const auto& recs = t->array->records();
  for (std::size_t r = 0; r < recs.size(); ++r)
    for (std::size_t i = 0; recs[r].data == rec.data && i < t->array->size(); ++i) {
      Line& l = t->array->line(i);
      setFieldText(t->array->view(l.data, r), *f, value);
      if (l.state == kLineUnchanged) l.state = kLineUpdated;
    }
}

// A new level-0 record with a blank key takes the next number of its source.
void assignNumber(Session& s) {
  const auto& an = s.impl().autoNumber;
  if (!an) return;
  RecordRef rec;
  const FieldDesc* f = s.fieldOf(*an->key, &rec);
  if (!f || !blankField(rec, *f) || s.impl().rows[rec.data].exists) return;
  db::Statement st = s.database().run(db::Call{"AutoNbr_Next", "", {an->source}});
  if (!st.step()) throw Refusal{kMsgNoNumber, {an->source}};
  const db::Value v = st.column(0);
  std::string number;
  if (const auto* t = std::get_if<std::string>(&v)) number = *t;
  if (const auto* n = std::get_if<std::int64_t>(&v)) number = std::to_string(*n);
  if (trim(number).empty()) throw Refusal{kMsgNoNumber, {an->source}};
  setEverywhere(s, *an->key, number);
  for (Control* d : an->detailKeys) setEverywhere(s, *d, number);
  s.updates().setLevelChange(0, kLineInserted);
}

// Writes a record level by key; refuses when the row changed since it was read.
// A header left as it was still guards what is saved under it: its row must be
// as read (not changed, not deleted by another clerk), and its stamp moves on,
// so two clerks saving lines of one record never overwrite each other.
void writeRecordLevel(Session& s, int level, std::map<const void*, RowMemory>& after) {
  const CursorState* c = levelCursor(s, level);
  const RecordRef rec = levelRecord(s, level);
  if (!c || !rec) return;
  const bool unchanged = s.updates().levelChange(level) == kLineUnchanged;
  const RowMemory mem = s.impl().rows[rec.data];
  if (unchanged && (level != 0 || !mem.exists)) return;
  RecordWriter w(s.database(), c->table, rowKey(s, c->table, rec, level));
  const auto stored = w.stored(rec);
  const bool changedElsewhere =
      mem.exists ? (!stored || (mem.tstamp && *stored != *mem.tstamp)) : stored.has_value();
  if (changedElsewhere) throw Refusal{kMsgChangedByOther, {levelName(s, level)}};
  if (unchanged)
    w.touch(rec);
  else if (mem.exists)
    w.update(rec, rec);
  else
    w.insert(rec);
  after[rec.data] = RowMemory{true, w.stored(rec)};
}

void writeGridLevel(Session& s, const GridTie& t) {
  const auto it = s.impl().cursors.find(t.cursor);
  if (it == s.impl().cursors.end() || it->second.table.empty() ||
      s.database().columns(it->second.table).empty())
    return;
  const std::string& table = it->second.table;
  const auto& recs = t.array->records();
  std::size_t r = 0;
  for (std::size_t i = 0; i < recs.size(); ++i)
    if (iequals(recs[i].layout->name(), table)) r = i;
  auto keys = rowKey(s, table, recs[r], gridLevel(s, t));
  if (keys.empty()) keys = columnFields(s.database(), table, *recs[r].layout);
  RecordWriter w(s.database(), table, keys);
  for (const auto& orig : t.array->deletedOriginals()) w.remove(t.array->view(orig, r));
  for (std::size_t i = 0; i < t.array->size(); ++i) {
    const Line& l = std::as_const(*t.array).line(i);
    const bool loaded = !l.original.empty();
    if (l.state == kLineDeleted && loaded) w.remove(t.array->view(l.original, r));
    if (l.state == kLineInserted || (l.state == kLineUpdated && !loaded))
      w.insert(t.array->view(l.data, r));
    if (l.state == kLineUpdated && loaded)
      w.update(t.array->view(l.data, r), t.array->view(l.original, r));
  }
}

void writeLevels(Session& s, std::map<const void*, RowMemory>& after) {
  const auto& lv = s.updates().levels();
  for (int l = 0; l < static_cast<int>(lv.size()); ++l) {
    if (!lv[l].isGrid()) writeRecordLevel(s, l, after);
    for (const auto& t : s.impl().grids)
      if (gridLevel(s, t) == l) writeGridLevel(s, t);
  }
}

// What a refusing handler asked to keep is set again once the rest is put back.
void restoreKeeping(Session& s, const SessionSnapshot& before) {
  std::vector<std::pair<Control*, std::string>> kept;
  for (Control* c : s.impl().keptThroughRefusal) {
    RecordRef rec;
    if (const FieldDesc* f = s.fieldOf(*c, &rec)) kept.emplace_back(c, fieldText(rec, *f));
  }
  s.impl().keptThroughRefusal.clear();
  restoreSnapshot(s, before);
  for (const auto& [c, text] : kept) {
    RecordRef rec;
    setFieldText(rec, *s.fieldOf(*c, &rec), text);
    s.displayFields({c});
  }
}

void refuse(Session& s, const SessionSnapshot& before, const Refusal& r) {
  restoreKeeping(s, before);
  if (r.message) s.messages().message(r.message, r.args);
}

// Runs body in one transaction; on any failure everything is put back.
bool transact(Session& s, int failMessage, const std::function<void()>& body) {
  const SessionSnapshot before = takeSnapshot(s);
  s.impl().keptThroughRefusal.clear();
  dropStatements(s);
  try {
    db::Transaction tx(s.database());
    body();
    tx.commit();
    return true;
  } catch (const Refusal& r) {
    refuse(s, before, r);
  } catch (const DuplicateKey& e) {
    refuse(s, before, Refusal{kMsgDuplicateValue, {duplicateText(s, e)}});
  } catch (const db::DbError& e) {
    refuse(s, before, Refusal{failMessage, {e.what()}});
  } catch (const RuntimeError& e) {
    restoreKeeping(s, before);
    s.messages().reportError(e);
  }
  return false;
}

// A new record at level 0 shows afresh what its fields outside the levels
// said of the last one (a batch's unapplied amount): blank until defaults.
void blankWorkFields(Session& s) {
  std::vector<char> blank;
  for (const auto& f : s.forms())
    for (const auto& c : f->controls()) {
      RecordRef rec;
      const FieldDesc* fd = c->isGridColumn() ? nullptr : s.fieldOf(*c, &rec);
      const BoundRecord* b = fd ? boundAt(s, rec.data) : nullptr;
      if (!b || b->level < 15) continue;
      blank.assign(rec.layout->size(), 0);
      const RecordRef image(blank.data(), rec.layout);
      blankBound(BoundRecord{b->level, b->name, image, b->nullRecord});
      std::memcpy(rec.bytes() + fd->offset, image.bytes() + fd->offset, fd->width);
    }
}

void resetLevels(Session& s, int from) {
  if (from == 0) blankWorkFields(s);
  for (const auto& r : s.records()) {
    if (r.level < from || r.level >= 15) continue;
    blankBound(r);
    s.impl().rows.erase(r.record.data);
  }
  for (auto& t : s.impl().grids) {
    if (gridLevel(s, t) < from) continue;
    t.array->loadImages({});
    t.pendingNew = false;
    s.ui().linesChanged(*t.grid);
  }
  for (int l = from; l < static_cast<int>(s.updates().levels().size()); ++l)
    s.updates().setLevelChange(l, kLineUnchanged);
  recomputeTriggers(s);
}

void raiseLevelReset(Session& s, int from) {
  const auto& h = update(s).handlers().levelReset;
  for (int l = from; h && l < static_cast<int>(s.updates().levels().size()); ++l)
    guarded(s, 0, [&] {
      h(l);
      return 0;
    });
}

}  // namespace

void raiseKeyShown(Session& s, int level) {
  for (const auto& f : s.forms())
    for (const auto& c : f->controls()) {
      const auto& shown = c->handlers().valueDisplayed;
      if (!shown || !c->isKey() || c->level() != level || c->isGridColumn()) continue;
      guarded(s, 0, [&] {
        shown();
        return 0;
      });
    }
}

namespace {

void showAll(Session& s) {
  for (const auto& f : s.forms()) s.displayFields(f->range(nullptr, nullptr));
}

GridTie* gridAtLevel(Session& s, int level) {
  for (auto& t : s.impl().grids)
    if (gridLevel(s, t) == level) return &t;
  return nullptr;
}

}  // namespace

bool UpdateControl::save() {
  Control& u = update(session_);
  if (!buttonEnabled(kButtonSave, 0)) {
    if (rightsAllow(kButtonSave, 0))
      session_.messages().message(kMsgSaveTurnedOff);
    else
      session_.messages().message(kMsgNoRights, {"save"});
    return false;
  }
  if (!session_.impl().edited && !session_.impl().entered) {
    session_.messages().message(kMsgNothingToSave);
    return false;
  }
  const bool adding = levelChange(0) == kLineInserted;
  if (adding ? !rights().insert : !rights().update) {
    session_.messages().message(kMsgNoRights, {adding ? "add records" : "change records"});
    return false;
  }
  std::map<const void*, RowMemory> after;
  const auto& h = u.handlers();
  const bool ok = transact(session_, kMsgSaveFailed, [&] {
    checkRequired(session_);
    assignNumber(session_);
    for (int l = 0; l < static_cast<int>(levels().size()); ++l)
      raiseLevel(
          session_, [&] { return h.saveLevel ? h.saveLevel(l) : 0; }, l, kMsgSaveFailed);
    raiseLevel(
        session_, [&] { return h.saveLevel ? h.saveLevel(kWholeSaveLevel) : 0; }, kWholeSaveLevel,
        kMsgSaveFailed);
    writeLevels(session_, after);
  });
  if (!ok) return false;
  ++savesDone_;
  for (const auto& t : session_.impl().grids) t.array->markSaved();
  for (int l = 0; l < static_cast<int>(levels().size()); ++l) setLevelChange(l, kLineUnchanged);
  for (const auto& [data, mem] : after) session_.impl().rows[data] = mem;
  if (h.saveCompleted)
    guarded(session_, 0, [&] {
      h.saveCompleted(0, kLineUpdated);
      return 0;
    });
  showAll(session_);
  return true;
}

bool UpdateControl::deleteLevel(int level) {
  Control& u = update(session_);
  if (level < 0 || level >= static_cast<int>(levels().size())) return false;
  if (!rightsAllow(kButtonDelete, level)) {
    session_.messages().message(kMsgNoRights, {"delete"});
    return false;
  }
  if (!buttonEnabled(kButtonDelete, level)) return false;
  const auto& h = u.handlers();
  if (levels()[level].isGrid()) {
    GridTie* t = gridAtLevel(session_, level);
    if (!t || t->array->position() < 0) return false;
    if (h.deleteRequested &&
        guarded(session_, kSilentRefusal, [&] { return h.deleteRequested(level); }))
      return false;
    return session_.grids().deleteLine(*t->grid);
  }
  if (!confirmedAtDesk(session_, kMsgConfirmDelete,
                       {"the " + levelName(session_, level) + " shown"}))
    return false;
  const bool ok = transact(session_, kMsgDeleteFailed, [&] {
    for (int l = static_cast<int>(levels().size()) - 1; l >= level; --l)
      raiseLevel(
          session_, [&] { return h.deleteRequested ? h.deleteRequested(l) : 0; }, l,
          kMsgDeleteFailed);
    for (auto& t : session_.impl().grids) {
      if (gridLevel(session_, t) <= level) continue;
      t.array->clear();
      writeGridLevel(session_, t);
    }
    const CursorState* c = levelCursor(session_, level);
    const RecordRef rec = levelRecord(session_, level);
    if (!c || !rec || !session_.impl().rows[rec.data].exists) return;
    RecordWriter w(session_.database(), c->table, rowKey(session_, c->table, rec, level));
    const auto stored = w.stored(rec);
    const auto& mem = session_.impl().rows[rec.data];
    if (!stored || (mem.tstamp && *stored != *mem.tstamp))
      throw Refusal{kMsgChangedByOther, {levelName(session_, level)}};
    w.remove(rec);
  });
  if (!ok) return false;
  ++deletesDone_;
  resetLevels(session_, level);
  if (level == 0) session_.impl().edited = session_.impl().entered = false;
  raiseLevelReset(session_, level);
  if (level == 0) openNewIfNoneRead(session_);
  raiseKeyShown(session_, level);
  showAll(session_);
  return true;
}

bool UpdateControl::cancel() {
  Control& u = update(session_);
  if (!buttonEnabled(kButtonCancel, 0)) return false;
  if (session_.impl().edited && !confirmedAtDesk(session_, kMsgConfirmCancel)) return false;
  const SessionSnapshot before = takeSnapshot(session_);
  resetLevels(session_, 0);
  const auto& h = u.handlers().cancelRequested;
  if (h && guarded(session_, kSilentRefusal, h) != 0) {
    restoreSnapshot(session_, before);
    return false;
  }
  session_.impl().edited = session_.impl().entered = false;
  raiseLevelReset(session_, 0);
  openNewIfNoneRead(session_);
  raiseKeyShown(session_, 0);
  showAll(session_);
  return true;
}

bool UpdateControl::newRecord(int level) {
  update(session_);
  if (!buttonEnabled(kButtonNew, level) || level < 0 || level >= static_cast<int>(levels().size()))
    return false;
  if (levels()[level].isGrid()) {
    GridTie* t = gridAtLevel(session_, level);
    return t && session_.grids().startNewLine(*t->grid);
  }
  if (!settleUnsaved("starting a new record")) return false;
  const auto& asked = session_.updateControl()->handlers().newRequested;
  if (asked && guarded(session_, kSilentRefusal, [&] { return asked(level); }) != 0) return false;
  resetLevels(session_, level);
  applyRecordDefaults(session_, level);
  setLevelChange(level, kLineInserted);
  if (level == 0) session_.impl().edited = session_.impl().entered = false;
  raiseKeyShown(session_, level);
  showAll(session_);
  return true;
}

}  // namespace corvena::forms
