// SQL through the screen's cursors, possible-value and navigation fetches.
#include "platform/forms/cursors.h"

#include "platform/forms/duplicate_key.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

// Records of the levels remember what was read into them, for the save's check
// and to update rather than insert; a miss on another level's cursor forgets nothing.
void noteRead(Session& s, const CursorState& c, const std::vector<RecordRef>& into, bool found) {
  for (const auto& rec : into) {
    const BoundRecord* b = boundAt(s, rec.data);
    if (!b || b->level >= 15) continue;
    if (!found && c.level() != b->level) continue;
    RowMemory m;
    m.exists = found;
    if (found) m.tstamp = tstampOf(c.statement);
    s.impl().rows[rec.data] = m;
    if (b->level == 0) s.impl().keyLookupFound = found;
  }
}

int stepInto(Session& s, CursorState& c, const std::vector<RecordRef>& into) {
  if (!c.statement.valid() || !c.statement.step()) {
    noteRead(s, c, into, false);
    // A server's rows are held whole until the statement goes: a grid's worth.
    c.statement = db::Statement();
    return kLineEnd;
  }
  for (const auto& r : into)
    if (r) c.statement.readInto(r);
  noteRead(s, c, into, true);
  s.noteWork();
  return kLineOk;
}

}  // namespace

int Cursors::openCursor(CursorHandle& cursor, int flags, std::string_view name,
                        std::string_view table) {
  if (cursor.id != 0) session_.impl().cursors.erase(cursor.id);
  cursor.id = session_.impl().nextCursor++;
  CursorState& c = session_.impl().cursors[cursor.id];
  c.name = std::string(name);
  c.table = trim(table);
  c.flags = flags;
  return 0;
}

void Cursors::freeCursor(CursorHandle& cursor) {
  session_.impl().cursors.erase(cursor.id);
  cursor.id = 0;
}

int Cursors::fetchFirst(CursorHandle& cursor, std::string_view statement,
                        const std::vector<RecordRef>& into) {
  CursorState& c = session_.impl().cursor(session_, cursor);
  c.statement = session_.database().run(statement);
  return stepInto(session_, c, into);
}

int Cursors::fetchNext(CursorHandle& cursor, const std::vector<RecordRef>& into) {
  return stepInto(session_, session_.impl().cursor(session_, cursor), into);
}

int Cursors::fetchValue(CursorHandle& cursor, double& value) {
  CursorState& c = session_.impl().cursor(session_, cursor);
  if (!c.statement.valid() || !c.statement.step()) return kLineEnd;
  const db::Value v = c.statement.column(0);
  if (const auto* d = std::get_if<double>(&v))
    value = *d;
  else if (const auto* n = std::get_if<std::int64_t>(&v))
    value = static_cast<double>(*n);
  else
    value = 0;
  return kLineOk;
}

void Cursors::insertRecord(CursorHandle& cursor, std::string_view table, RecordRef record) {
  session_.impl().cursor(session_, cursor);
  writeGuarded([&] { session_.database().insert(trim(table), record); }, &record);
}

void Cursors::insertRecords(CursorHandle& cursor, std::string_view table,
                            const std::vector<RecordRef>& records) {
  session_.impl().cursor(session_, cursor);
  writeGuarded([&] { session_.database().insert(trim(table), records); });
}

void Cursors::execute(CursorHandle& cursor, std::string_view statement) {
  CursorState& c = session_.impl().cursor(session_, cursor);
  db::Statement st = session_.database().run(statement);
  if (st.columnCount() > 0) {
    c.statement = std::move(st);
    return;
  }
  // A write outside a save must start from what other clerks committed; reads
  // left open earlier in a long event (a release) would hold an old snapshot.
  if (!session_.database().inTransaction()) session_.impl().endCursorReads();
  writeGuarded([&] {
    while (st.step()) {
    }
  });
}

namespace {

Control& checkedControl(Session& s, Control* control) {
  if (control && control->cls() != ControlClass::Update) return *control;
  if (s.impl().checking) return *s.impl().checking;
  throw RuntimeError(kErrNoSuchControl, "No control is being checked.");
}

int procFetch(Session& s, CursorHandle& cursor, const std::string& procText, std::string_view value,
              const std::vector<RecordRef>& into) {
  if (trim(procText).empty()) return kLineEnd;
  CursorState& c = s.impl().cursor(s, cursor);
  // Records hold text blank-padded; a look-up matches what was typed.
  c.statement = s.database().run(procCall(s, procText, {trimEnd(value)}));
  return stepInto(s, c, into);
}

}  // namespace

int Cursors::pvFetch(Control* control, CursorHandle& cursor, std::string_view value,
                     const std::vector<RecordRef>& into) {
  return procFetch(session_, cursor, checkedControl(session_, control).desc().pv, value, into);
}

int Cursors::dbnavFetch(Control* control, CursorHandle& cursor, std::string_view value,
                        const std::vector<RecordRef>& into) {
  const Control& c = checkedControl(session_, control);
  return procFetch(session_, cursor, c.desc().dbnav.empty() ? c.desc().pv : c.desc().dbnav, value,
                   into);
}

void Cursors::endReads() {
  session_.impl().endCursorReads();
}

}  // namespace corvena::forms
