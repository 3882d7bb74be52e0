#pragma once
// SQL through a screen's cursors: statements run, rows fetched into bound
// records, and the possible-value and navigation look-ups of its controls.

#include <string_view>
#include <vector>

#include "platform/db/record.h"

namespace corvena::forms {

class Control;
class Session;

// A screen's cursor variable: 0 until opened (opened on first use).
struct CursorHandle {
  int id = 0;
};

// Cursor flags.
inline constexpr int kCursorLevelMask = 0xFF;
inline constexpr int kCursorReadOnly = 256;
inline constexpr int kCursorTemporary = 16384;

class Cursors {
 public:
  explicit Cursors(Session& session) : session_(session) {}
  Cursors(const Cursors&) = delete;
  Cursors& operator=(const Cursors&) = delete;

  int openCursor(CursorHandle& cursor, int flags, std::string_view name, std::string_view table);
  void freeCursor(CursorHandle& cursor);
  // 0 when a row was copied into the records, 9 when there is none.
  int fetchFirst(CursorHandle& cursor, std::string_view statement,
                 const std::vector<RecordRef>& into);
  int fetchNext(CursorHandle& cursor, const std::vector<RecordRef>& into);
  int fetchValue(CursorHandle& cursor, double& value);
  void insertRecord(CursorHandle& cursor, std::string_view table, RecordRef record);
  void insertRecords(CursorHandle& cursor, std::string_view table, const std::vector<RecordRef>& records);
  void execute(CursorHandle& cursor, std::string_view statement);
  // Fetches through the control's pv (control null: the control being checked).
  int pvFetch(Control* control, CursorHandle& cursor, std::string_view value,
              const std::vector<RecordRef>& into);
  // Fetches through the control's dbnav with the value as key.
  int dbnavFetch(Control* control, CursorHandle& cursor, std::string_view value,
                 const std::vector<RecordRef>& into);
  // Ends the reads left open on the screen's cursors, so the next read sees
  // what another process (a driven host screen) committed meanwhile.
  void endReads();

 private:
  Session& session_;
};

}  // namespace corvena::forms
