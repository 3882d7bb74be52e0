// First, previous, next and last: through the level's key control's dbnav
// procedure for a record level, through the lines for a grid level.
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"
#include "platform/forms/update_control.h"

namespace corvena::forms {

namespace {

struct Candidate {
  std::vector<char> image;
  std::optional<std::int64_t> tstamp;
  std::string key;
};

Control* navigationKey(Session& s, int level) {
  for (const auto& f : s.forms())
    for (const auto& c : f->controls())
      if (c->isKey() && c->level() == level && !(c->desc().dbnav.empty() && c->desc().pv.empty()))
        return c.get();
  return nullptr;
}

std::vector<Candidate> candidates(Session& s, Control& key, const RecordRef& rec,
                                  const FieldDesc& keyField) {
  std::vector<db::Value> range;
  pushRange(range, keyField.type);
  const std::string& nav = key.desc().dbnav.empty() ? key.desc().pv : key.desc().dbnav;
  db::Statement st = s.database().run(procCall(s, nav, range));
  std::vector<Candidate> out;
  std::vector<char> scratch(rec.layout->size());
  const RecordRef view(scratch.data(), rec.layout);
  while (st.step()) {
    blankRecord(view);
    st.readInto(view);
    out.push_back({scratch, tstampOf(st), trim(fieldText(view, keyField))});
  }
  return out;
}

int target(const std::vector<Candidate>& rows, const std::string& current, Navigation how) {
  const int n = static_cast<int>(rows.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (rows[i].key == current) at = i;
  switch (how) {
    case Navigation::First:
      return 0;
    case Navigation::Last:
      return n - 1;
    case Navigation::Next:
      return at < 0 ? 0 : at + 1;
    case Navigation::Previous:
      return at < 0 ? n - 1 : at - 1;
  }
  return -1;
}

bool navigateLines(Session& s, GridTie& t, Navigation how) {
  const int n = static_cast<int>(t.array->size());
  const int at = t.array->position();
  const int to = how == Navigation::First  ? 0
                 : how == Navigation::Last ? n - 1
                 : how == Navigation::Next ? at + 1
                                           : at - 1;
  return s.grids().selectLine(*t.grid, to);
}

}  // namespace

bool UpdateControl::navigate(int level, Navigation how) {
  if (level < 0 || level >= static_cast<int>(levels().size())) return false;
  if (levels()[level].isGrid()) {
    for (auto& t : session_.impl().grids)
      if (gridLevel(session_, t) == level) return navigateLines(session_, t, how);
    return false;
  }
  Control* key = navigationKey(session_, level);
  RecordRef rec;
  const FieldDesc* keyField = key ? session_.fieldOf(*key, &rec) : nullptr;
  if (!keyField || !settleUnsaved("moving")) return false;
  return guarded(session_, 1, [&] {
           const auto rows = candidates(session_, *key, rec, *keyField);
           const int to = target(rows, trim(fieldText(rec, *keyField)), how);
           if (to < 0 || to >= static_cast<int>(rows.size())) return 1;
           std::copy(rows[to].image.begin(), rows[to].image.end(), rec.bytes());
           session_.impl().rows[rec.data] = RowMemory{true, rows[to].tstamp};
           setLevelChange(level, kLineUnchanged);
           for (auto& t : session_.impl().grids)
             if (gridLevel(session_, t) > level && !t.grid->desc().dbnav.empty())
               session_.grids().gridLoad(*t.grid);
           raiseKeyShown(session_, level);
           for (const auto& f : session_.forms())
             session_.displayFields(f->range(nullptr, nullptr));
           return 0;
         }) == 0;
}

}  // namespace corvena::forms
