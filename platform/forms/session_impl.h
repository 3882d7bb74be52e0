#pragma once
// The session's inner state, shared by Session and its parts: a save writes
// the grids' lines through the levels' cursors, an entry reads its key's row.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/db/database.h"
#include "platform/forms/line_array.h"
#include "platform/forms/screen_rights.h"
#include "platform/forms/session.h"

namespace corvena::forms {

struct CursorState {
  std::string name;
  std::string table;
  int flags = 15;
  db::Statement statement;  // the last row-returning statement run on it
  int level() const { return flags & kCursorLevelMask; }
  bool writable() const { return !(flags & (kCursorReadOnly | kCursorTemporary)); }
};

// A grid tied to its detail cursor and line array.
struct GridTie {
  Control* grid = nullptr;
  LineArray* array = nullptr;
  int cursor = 0;
  const void* lineNumber = nullptr;
  bool pendingNew = false;  // a new line started, not yet in the array
};

// What the screen last read of a level-0 record from the database.
struct RowMemory {
  bool exists = false;
  std::optional<std::int64_t> tstamp;
};

struct AutoNumber {
  Control* key = nullptr;
  std::string source;
  std::vector<Control*> detailKeys;
};

struct SessionSnapshot {
  std::vector<std::vector<char>> records;
  std::vector<std::pair<const LineArray*, LineArray::Snapshot>> arrays;
  std::map<int, int> levelChange;
  std::map<const void*, RowMemory> rows;
  // What the labels said: a handler shows a name beside a value it then refuses.
  std::vector<std::pair<Control*, std::string>> captions;
};

struct Session::Impl {
  std::map<int, CursorState> cursors;
  int nextCursor = 1;
  std::vector<std::unique_ptr<LineArray>> arrays;
  std::vector<GridTie> grids;
  std::map<int, int> levelChange;
  std::map<int, int> disabledButtons;  // level -> mask of disabled buttons
  ScreenRights rights;
  std::map<const void*, RowMemory> rows;
  std::optional<AutoNumber> autoNumber;
  std::vector<LevelDesc> levels;
  std::string levelsText;
  // The control whose entry is being checked, or nullptr.
  Control* checking = nullptr;
  // Set while a handler fetches during an entry: whether a level-0 read happened.
  std::optional<bool> keyLookupFound;
  int eventDepth = 0;
  // Steps of work within the outermost event or the screen's load; whether
  // and when they were last told.
  bool loading = false;
  std::size_t workDone = 0;
  bool workTold = false;
  std::chrono::steady_clock::time_point workToldAt;
  // Trigger totals resolved once: the field a total shows and the line field
  // it adds up, with the last sum and its rounding. Resolved again after any
  // form, record, grid or property change.
  struct TriggerSource {
    LineArray* array;
    std::size_t record;
    const FieldDesc* field;
    double sum = 0;
    double rounded = 0;
    int decimals = 0;
  };
  struct Trigger {
    RecordRef target;
    const FieldDesc* targetField;
    std::vector<TriggerSource> sources;
  };
  std::optional<std::vector<Trigger>> triggers;
  // Each control's record and field as last resolved, while its field name and
  // the bound records stay as they were: values are shown thousands of times.
  struct Resolved {
    std::uint64_t bindings;
    std::string fieldname;
    const BoundRecord* record;
    const FieldDesc* field;
  };
  std::unordered_map<const Control*, Resolved> resolved;
  std::uint64_t bindings = 0;
  // Fields a handler changed while refusing a save, kept when the rest is put back.
  std::vector<Control*> keptThroughRefusal;
  // Whether the record on the screen has changes the clerk has not saved.
  bool edited = false;
  // Whether the clerk entered anything since, even in a field outside the levels
  // (the batch handling that asks a saved batch to be released).
  bool entered = false;

  // A statement left open on a cursor keeps its read snapshot, so this screen
  // would not see what other clerks commit; every outermost event ends them.
  void endCursorReads() {
    for (auto& [id, c] : cursors) c.statement = db::Statement();
  }

  CursorState& cursor(Session& s, CursorHandle& h);
  GridTie* tieOf(const Control& grid);
  GridTie* tieOf(const LineArray* array);
};

// Helpers shared by the implementation files.
// Shows a modal form and waits until it is hidden. The clerk's time there is
// no work of the event that opened it: each event on the form is outermost.
void waitAtModalForm(Session& s, Form& form);
// The update control put another record of the level on the screen (new,
// cancelled, deleted, moved to): its key's ValueDisplayed lets the screen set
// itself up for that record, as when the key is entered.
void raiseKeyShown(Session& s, int level);
// A level-0 record no handler read becomes a new record with its defaults.
void openNewIfNoneRead(Session& s);
// At a desk, asks the numbered Yes/No question; true when there is none to ask or Yes.
bool confirmedAtDesk(Session& s, int message, const std::vector<std::string>& args = {});
SessionSnapshot takeSnapshot(const Session& s);
void restoreSnapshot(Session& s, const SessionSnapshot& snap);
// Runs a handler at the event boundary: a RuntimeError or database error is
// reported and turned into `failure`.
template <class F>
int guarded(Session& s, int failure, F&& f);
// The bound record holding `data`, or nullptr.
const BoundRecord* boundAt(const Session& s, const void* data);
// Blanks a record to its null record (or null image).
void blankBound(const BoundRecord& r);
// Defaults of the level's controls (of level 0 also those outside the levels).
void applyDefaults(Session& s, int level);
// A new record at a level is new at every record level below it too.
void applyRecordDefaults(Session& s, int from);
// The record a level saves: the one named like its cursor's table, else the
// first bound at that level; empty when none is bound.
RecordRef levelRecord(Session& s, int level);
// The writable cursor of a level whose table exists, or nullptr.
const CursorState* levelCursor(Session& s, int level);
// The level a grid's lines belong to.
int gridLevel(const Session& s, const GridTie& tie);
// The text a field shows: trimmed text, ISO date (blank date: empty), amounts
// with the currency's decimals.
std::string displayedField(const Session& s, const RecordRef& rec, const FieldDesc& f);
// The row's tstamp column, when it has one.
std::optional<std::int64_t> tstampOf(const db::Statement& st);
// Reads every row of the statement as a line of the array (records blanked first).
std::vector<std::vector<char>> readLines(Session& s, LineArray& array, db::Statement& st);
void recomputeTriggers(Session& s);
// The parameters that stand for "any value" of a field: '%' for text, the
// lowest and highest value otherwise.
void pushRange(std::vector<db::Value>& params, FieldType t);
// The procedure call for a pv or dbnav text: the listed arguments, then `tail`.
db::Call procCall(const Session& s, std::string_view procText, const std::vector<db::Value>& tail,
                  const std::vector<RecordRef>& rangeRecords = {});

}  // namespace corvena::forms

#include "platform/forms/session_guard.h"
