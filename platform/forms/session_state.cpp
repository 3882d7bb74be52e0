// Session state helpers: snapshots for all-or-nothing events, blanking and
// defaults, trigger totals, procedure calls from pv and dbnav texts.
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/forms/fp.h"
#include "platform/forms/proc_ref.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

CursorState& Session::Impl::cursor(Session& s, CursorHandle& h) {
  auto it = cursors.find(h.id);
  if (h.id == 0 || it == cursors.end()) {
    s.cursors().openCursor(h, 15, "", "");
    it = cursors.find(h.id);
  }
  return it->second;
}

GridTie* Session::Impl::tieOf(const Control& grid) {
  for (auto& t : grids)
    if (t.grid == &grid) return &t;
  return nullptr;
}

GridTie* Session::Impl::tieOf(const LineArray* array) {
  for (auto& t : grids)
    if (t.array == array) return &t;
  return nullptr;
}

SessionSnapshot takeSnapshot(const Session& s) {
  SessionSnapshot snap;
  for (const auto& r : s.records()) {
    const char* p = r.record.bytes();
    snap.records.emplace_back(p, p + r.record.layout->size());
  }
  for (const auto& a : s.impl().arrays) snap.arrays.emplace_back(a.get(), a->snapshot());
  snap.levelChange = s.impl().levelChange;
  snap.rows = s.impl().rows;
  for (const auto& f : s.forms())
    for (const auto& c : f->controls())
      if (c->cls() == ControlClass::Label && !c->bound())
        snap.captions.emplace_back(c.get(), c->desc().caption);
  return snap;
}

namespace {

bool sameLines(const LineArray& array, const LineArray::Snapshot& snap) {
  if (array.unchangedSince(snap)) return true;
  const auto& lines = *snap.lines;
  if (array.size() != lines.size() || array.position() != snap.pos) return false;
  for (std::size_t i = 0; i < array.size(); ++i)
    if (array.line(i).data != lines[i].data || array.line(i).state != lines[i].state)
      return false;
  return true;
}

// The fields of a record that differ from the image put back into it.
void addChangedFields(const Session& s, const RecordRef& now, const std::vector<char>& image,
                      std::vector<Control*>& out) {
  for (const auto& f : s.forms())
    for (const auto& c : f->controls()) {
      RecordRef rec;
      const FieldDesc* fd = c->isGridColumn() ? nullptr : s.fieldOf(*c, &rec);
      if (fd && rec.data == now.data &&
          std::memcmp(now.bytes() + fd->offset, image.data() + fd->offset, fd->width) != 0)
        out.push_back(c.get());
    }
}

}  // namespace

// What is put back is shown again: a refused entry leaves on screen nothing of
// what its handler read (a refused customer's documents in the grid).
void restoreSnapshot(Session& s, const SessionSnapshot& snap) {
  const auto& recs = s.records();
  std::vector<Control*> changed;
  for (std::size_t i = 0; i < recs.size() && i < snap.records.size(); ++i) {
    if (std::memcmp(recs[i].record.data, snap.records[i].data(), snap.records[i].size()) == 0)
      continue;
    addChangedFields(s, recs[i].record, snap.records[i], changed);
    std::memcpy(recs[i].record.data, snap.records[i].data(), snap.records[i].size());
  }
  for (const auto& [array, lines] : snap.arrays)
    for (const auto& a : s.impl().arrays) {
      if (a.get() != array) continue;
      const bool same = sameLines(std::as_const(*a), lines);
      a->restoreSnapshot(lines);
      if (Control* grid = same ? nullptr : s.grids().gridOf(a.get())) s.ui().linesChanged(*grid);
    }
  s.impl().levelChange = snap.levelChange;
  s.impl().rows = snap.rows;
  for (const auto& [label, caption] : snap.captions)
    if (label->desc().caption != caption) s.setProperty(*label, "caption", caption);
  if (!changed.empty()) s.ui().fieldsShown(changed);
}

const BoundRecord* boundAt(const Session& s, const void* data) {
  for (const auto& r : s.records())
    if (r.record.data == data) return &r;
  return nullptr;
}

void blankBound(const BoundRecord& r) {
  if (r.nullRecord && r.nullRecord.layout == r.record.layout)
    std::memcpy(r.record.data, r.nullRecord.data, r.record.layout->size());
  else
    blankRecord(r.record);
}

namespace {

std::string defaultText(const Session& s, const std::string& def) {
  std::string buffer, field;
  if (splitFieldRef(def, buffer, field) && s.findRecord(buffer)) return s.valueOf(def);
  return def;
}

}  // namespace

void applyDefaults(Session& s, int level) {
  for (const auto& f : s.forms()) {
    for (const auto& c : f->controls()) {
      const int l = c->level();
      if (c->desc().defaultValue.empty() || (l != level && !(level == 0 && l == 15))) continue;
      RecordRef rec;
      if (const FieldDesc* fd = s.fieldOf(*c, &rec))
        setFieldText(rec, *fd, defaultText(s, c->desc().defaultValue));
    }
  }
}

void applyRecordDefaults(Session& s, int from) {
  const auto& levels = s.updates().levels();
  for (int l = from; l < static_cast<int>(levels.size()); ++l)
    if (l == from || !levels[l].isGrid()) applyDefaults(s, l);
}

namespace {

std::vector<Session::Impl::Trigger> resolveTriggers(Session& s) {
  std::vector<Session::Impl::Trigger> triggers;
  for (const auto& f : s.forms()) {
    for (const auto& c : f->controls()) {
      std::string buffer, field;
      if (c->desc().trigger.empty() || !splitFieldRef(c->desc().trigger, buffer, field)) continue;
      const BoundRecord* lineRec = s.findRecord(buffer);
      Session::Impl::Trigger t;
      t.targetField = s.fieldOf(*c, &t.target);
      if (!lineRec || !t.targetField) continue;
      for (const auto& tie : s.impl().grids) {
        const auto& recs = tie.array->records();
        for (std::size_t r = 0; r < recs.size(); ++r) {
          const FieldDesc* lf =
              recs[r].data == lineRec->record.data ? recs[r].layout->find(field) : nullptr;
          // A NaN sum is never equal: the first one is always rounded.
          if (lf) t.sources.push_back({tie.array, r, lf, std::nan(""), 0, 0});
        }
      }
      triggers.push_back(std::move(t));
    }
  }
  return triggers;
}

}  // namespace

void recomputeTriggers(Session& s) {
  auto& triggers = s.impl().triggers;
  if (!triggers) triggers = resolveTriggers(s);
  for (auto& t : *triggers) {
    for (auto& source : t.sources) {
      const double sum = source.array->sum(source.record, *source.field);
      if (sum != source.sum || s.currencyDecimals() != source.decimals)
        source.rounded = fpRound(sum, s.currencyDecimals());
      source.sum = sum;
      source.decimals = s.currencyDecimals();
      setFieldFloat(t.target, *t.targetField, source.rounded);
    }
  }
}

namespace {

bool inRecords(const std::vector<RecordRef>& recs, const BoundRecord* r) {
  for (const auto& x : recs)
    if (r && x.data == r->record.data) return true;
  return false;
}

}  // namespace

void pushRange(std::vector<db::Value>& params, FieldType t) {
  switch (t) {
    case FieldType::Text:
      params.emplace_back(std::string("%"));
      break;
    case FieldType::Int16:
      params.emplace_back(std::int64_t{-32768});
      params.emplace_back(std::int64_t{32767});
      break;
    case FieldType::Float:
      params.emplace_back(-1e300);
      params.emplace_back(1e300);
      break;
    case FieldType::Date:
      params.emplace_back(std::string("1900-01-01"));
      params.emplace_back(std::string("9999-12-31"));
      break;
  }
}

db::Call procCall(const Session& s, std::string_view procText, const std::vector<db::Value>& tail,
                  const std::vector<RecordRef>& rangeRecords) {
  const ProcRef ref = parseProcRef(procText);
  db::Call call;
  call.procedure = ref.procedure;
  for (const auto& a : ref.args) {
    if (!a.isField) {
      call.params.emplace_back(a.text);
      continue;
    }
    std::string buffer, field;
    splitFieldRef(a.text, buffer, field);
    const BoundRecord* r = s.findRecord(buffer);
    const FieldDesc* f = r ? r->record.layout->find(field) : nullptr;
    if (!f) throw RuntimeError(kErrNoSuchField, "No field " + a.text + " for " + ref.procedure);
    if (inRecords(rangeRecords, r))
      pushRange(call.params, f->type);
    else
      call.params.push_back(db::fieldValue(r->record, *f));
  }
  call.params.insert(call.params.end(), tail.begin(), tail.end());
  return call;
}

}  // namespace corvena::forms

namespace corvena::forms {

const CursorState* levelCursor(Session& s, int level) {
  for (const auto& [id, c] : s.impl().cursors) {
    if (c.level() != level || !c.writable() || c.table.empty()) continue;
    if (!s.hasDatabase() || s.database().columns(c.table).empty()) continue;
    return &c;
  }
  return nullptr;
}

RecordRef levelRecord(Session& s, int level) {
  const CursorState* c = levelCursor(s, level);
  const BoundRecord* first = nullptr;
  for (const auto& r : s.records()) {
    if (r.level != level) continue;
    if (c && iequals(r.record.layout->name(), c->table)) return r.record;
    if (!first) first = &r;
  }
  return first ? first->record : RecordRef();
}

int gridLevel(const Session& s, const GridTie& tie) {
  if (const BoundRecord* b = boundAt(s, tie.array->records().front().data)) return b->level;
  const auto it = s.impl().cursors.find(tie.cursor);
  return it == s.impl().cursors.end() ? 1 : it->second.level();
}

std::string displayedField(const Session& s, const RecordRef& rec, const FieldDesc& f) {
  if (f.type == FieldType::Date) {
    Date d;
    std::memcpy(&d, rec.at(f), sizeof d);
    return d.isBlank() ? std::string() : d.iso();
  }
  if (f.type == FieldType::Float) {
    const double v = fieldFloat(rec, f);
    const int dec = s.currencyDecimals();
    if (fpRound(v, dec) != v) return fieldText(rec, f);
    // As printf's "%.*f" writes it, at a fraction of the cost: grids show thousands.
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, dec);
    return ec == std::errc() ? std::string(buf, end) : fieldText(rec, f);
  }
  return trim(fieldText(rec, f));
}

std::vector<std::vector<char>> readLines(Session& s, LineArray& array, db::Statement& st) {
  std::vector<std::vector<char>> images;
  while (st.step()) {
    for (const auto& r : array.records()) {
      if (const BoundRecord* b = boundAt(s, r.data))
        blankBound(*b);
      else
        blankRecord(r);
      st.readInto(r);
    }
    images.push_back(array.capture());
  }
  return images;
}

}  // namespace corvena::forms

namespace corvena::forms {

std::optional<std::int64_t> tstampOf(const db::Statement& st) {
  for (int i = 0; i < st.columnCount(); ++i) {
    if (!iequals(st.columnName(i), "tstamp")) continue;
    const db::Value v = st.column(i);
    if (const auto* n = std::get_if<std::int64_t>(&v)) return *n;
  }
  return std::nullopt;
}

}  // namespace corvena::forms
