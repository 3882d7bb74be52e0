// Grids and line arrays: tying a grid to its detail cursor, moving between
// lines, starting and deleting lines, loading through dbnav.
#include "platform/forms/grids.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/forms/messages.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

GridTie& tieFor(Session& s, const Control& grid) {
  GridTie* t = s.impl().tieOf(grid);
  if (!t) throw RuntimeError(kErrBadHandle, "Grid " + grid.name() + " is not set up.");
  return *t;
}

int raiseLine(Session& s, Control& grid, int code) {
  const auto& h = grid.handlers();
  int level = 0;
  if (h.lineChange) level = guarded(s, kSilentRefusal, [&] { return h.lineChange(code); });
  if (level == 0 && h.lineCheck)
    level = guarded(s, kSilentRefusal, [&] { return h.lineCheck(code); });
  return level;
}

void blankLineRecords(Session& s, const LineArray& a) {
  for (const auto& r : a.records()) {
    if (const BoundRecord* b = boundAt(s, r.data))
      blankBound(*b);
    else
      blankRecord(r);
  }
}

// The line-number field of a new line takes the highest number so far plus one.
void numberLine(const GridTie& t) {
  if (!t.lineNumber) return;
  const auto& recs = t.array->records();
  const char* p = static_cast<const char*>(t.lineNumber);
  for (std::size_t r = 0; r < recs.size(); ++r) {
    if (p < recs[r].bytes() || p >= recs[r].bytes() + recs[r].layout->size()) continue;
    const std::size_t off = static_cast<std::size_t>(p - recs[r].bytes());
    std::int16_t n = 0;
    for (std::size_t i = 0; i < t.array->size(); ++i) {
      std::int16_t v;
      std::memcpy(&v, t.array->view(std::as_const(*t.array).line(i).data, r).bytes() + off,
                  sizeof v);
      n = std::max(n, v);
    }
    const auto next = static_cast<std::int16_t>(n + 1);
    std::memcpy(recs[r].bytes() + off, &next, sizeof next);
  }
}

void linesChanged(Session& s, GridTie& t) {
  recomputeTriggers(s);
  if (t.grid) s.ui().linesChanged(*t.grid);
}

}  // namespace

LineArray* Grids::lineArrayOf(const Control& grid) const {
  GridTie* t = session_.impl().tieOf(grid);
  return t ? t->array : nullptr;
}

bool Grids::selectLine(Control& grid, int index) {
  GridTie& t = tieFor(session_, grid);
  if (index < 0 || index >= static_cast<int>(t.array->size())) return false;
  t.pendingNew = false;
  t.array->setPosition(index);
  if (raiseLine(session_, grid, kLineEntered) != 0) return false;
  session_.ui().fieldsShown(session_.mainForm().columns(grid));
  return true;
}

bool Grids::startNewLine(Control& grid) {
  GridTie& t = tieFor(session_, grid);
  if (!session_.updates().buttonEnabled(kButtonNew, gridLevel(session_, t))) return false;
  const SessionSnapshot before = takeSnapshot(session_);
  t.array->setPosition(-1);
  blankLineRecords(session_, *t.array);
  applyDefaults(session_, gridLevel(session_, t));
  numberLine(t);
  if (raiseLine(session_, grid, kLineStarting) != 0) {
    restoreSnapshot(session_, before);
    return false;
  }
  t.pendingNew = true;
  return true;
}

bool Grids::deleteLine(Control& grid) {
  GridTie& t = tieFor(session_, grid);
  if (t.pendingNew) {
    t.pendingNew = false;
    t.array->setPosition(t.array->size() ? 0 : -1);
    return true;
  }
  if (t.array->position() < 0 ||
      !session_.updates().buttonEnabled(kButtonDelete, gridLevel(session_, t)))
    return false;
  if (!confirmedAtDesk(session_, kMsgConfirmDeleteLine)) return false;
  if (raiseLine(session_, grid, kLineDeleting) != 0) return false;
  t.array->remove();
  session_.updates().setLevelChange(gridLevel(session_, t), kLineUpdated);
  linesChanged(session_, t);
  return true;
}

int Grids::currentLine(const Control& grid) const {
  GridTie* t = session_.impl().tieOf(grid);
  return t ? t->array->position() : -1;
}

std::size_t Grids::lineCount(const Control& grid) const {
  GridTie* t = session_.impl().tieOf(grid);
  return t ? t->array->size() : 0;
}

std::string Grids::cellText(const Control& grid, std::size_t line, const Control& column) const {
  GridTie* t = session_.impl().tieOf(grid);
  const BoundRecord* b = session_.findRecord(column.bufferName());
  if (!t || !b || line >= t->array->size()) return {};
  const auto& recs = t->array->records();
  for (std::size_t r = 0; r < recs.size(); ++r) {
    if (recs[r].data != b->record.data) continue;
    const FieldDesc* f = recs[r].layout->find(column.fieldName());
    if (f)
      return displayedField(session_, t->array->view(std::as_const(*t->array).line(line).data, r),
                            *f);
  }
  return {};
}

void Grids::gridLoad(Control& grid) {
  GridTie& t = tieFor(session_, grid);
  std::vector<std::vector<char>> images;
  if (!trim(grid.desc().dbnav).empty()) {
    db::Statement st =
        session_.database().run(procCall(session_, grid.desc().dbnav, {}, t.array->records()));
    images = readLines(session_, *t.array, st);
  }
  t.array->loadImages(std::move(images));
  t.pendingNew = false;
  if (t.array->first() != kLineOk) blankLineRecords(session_, *t.array);
  session_.updates().setLevelChange(gridLevel(session_, t), kLineUnchanged);
  linesChanged(session_, t);
}

LineArray* Grids::detailSetup(CursorHandle& cursor, Control& grid, const void* lineNumber,
                              std::vector<RecordRef> records) {
  std::erase_if(records, [](const RecordRef& r) { return !r; });
  if (records.empty()) throw RuntimeError(kErrNoSuchRecord, "detailsetup without a record");
  session_.impl().cursor(session_, cursor);
  session_.impl().triggers.reset();
  if (GridTie* old = session_.impl().tieOf(grid)) closeArray(old->array);
  LineArray* a = openArray(std::move(records));
  session_.impl().grids.push_back(GridTie{&grid, a, cursor.id, lineNumber, false});
  return a;
}

LineArray* Grids::openArray(std::vector<RecordRef> records) {
  session_.impl().arrays.push_back(std::make_unique<LineArray>(std::move(records)));
  return session_.impl().arrays.back().get();
}

void Grids::closeArray(LineArray* handle) {
  array(handle);
  session_.impl().triggers.reset();
  std::erase_if(session_.impl().grids, [&](const GridTie& t) { return t.array == handle; });
  std::erase_if(session_.impl().arrays, [&](const auto& a) { return a.get() == handle; });
}

int Grids::loadArray(LineArray* handle, CursorHandle& cursor, std::string_view statement) {
  LineArray& a = array(handle);
  CursorState& c = session_.impl().cursor(session_, cursor);
  c.statement = session_.database().run(statement);
  a.loadImages(readLines(session_, a, c.statement));
  if (GridTie* t = session_.impl().tieOf(handle)) linesChanged(session_, *t);
  return a.size() ? kLineOk : kLineEnd;
}

void Grids::redisplay(LineArray* handle) {
  array(handle);
  if (GridTie* t = session_.impl().tieOf(handle)) linesChanged(session_, *t);
}

Control* Grids::gridOf(const LineArray* handle) const {
  GridTie* t = session_.impl().tieOf(handle);
  return t ? t->grid : nullptr;
}

LineArray& Grids::array(LineArray* handle) const {
  for (const auto& a : session_.impl().arrays)
    if (a.get() == handle) return *a;
  throw RuntimeError(kErrBadHandle, "Not a line array of this screen.");
}

void Grids::setColumnAllLines(Control& column, std::string_view text) {
  GridTie& t = tieFor(session_, column.form().control(column.desc().parent));
  const BoundRecord* b = session_.findRecord(column.bufferName());
  const auto& recs = t.array->records();
  for (std::size_t r = 0; b && r < recs.size(); ++r) {
    const FieldDesc* f =
        recs[r].data == b->record.data ? recs[r].layout->find(column.fieldName()) : nullptr;
    if (!f) continue;
    for (std::size_t i = 0; i < t.array->size(); ++i) {
      Line& l = t.array->line(i);
      setFieldText(t.array->view(l.data, r), *f, text);
      if (l.state == kLineUnchanged) l.state = kLineUpdated;
    }
    setFieldText(recs[r], *f, text);
  }
  session_.updates().setLevelChange(gridLevel(session_, t), kLineUpdated);
  linesChanged(session_, t);
}

}  // namespace corvena::forms
