#pragma once
// A screen's grids and line arrays: a grid tied to its detail cursor, the
// clerk's moves between its lines, and keyed work arrays of the handlers.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/cursors.h"
#include "platform/forms/line_array.h"

namespace corvena::forms {

class Control;
class Session;

class Grids {
 public:
  explicit Grids(Session& session) : session_(session) {}
  Grids(const Grids&) = delete;
  Grids& operator=(const Grids&) = delete;

  LineArray* lineArrayOf(const Control& grid) const;
  // Makes line `index` (from 0) current; false when there is none.
  bool selectLine(Control& grid, int index);
  // Starts a new line: LineChange(0) and LineCheck(0), blank line records with
  // defaults; the line joins the array when its first value is entered.
  bool startNewLine(Control& grid);
  bool deleteLine(Control& grid);
  int currentLine(const Control& grid) const;
  std::size_t lineCount(const Control& grid) const;
  std::string cellText(const Control& grid, std::size_t line, const Control& column) const;
  // Reloads the grid through its dbnav procedure; lines become unchanged.
  void gridLoad(Control& grid);
  void setColumnAllLines(Control& column, std::string_view text);

  // Ties a grid to a detail cursor; the line records are `records`. A 16-bit
  // field among them given as lineNumber is numbered 1, 2, ... on insert.
  LineArray* detailSetup(CursorHandle& cursor, Control& grid, const void* lineNumber,
                         std::vector<RecordRef> records);
  // A keyed work array over the records (not tied to a grid).
  LineArray* openArray(std::vector<RecordRef> records);
  void closeArray(LineArray* array);
  // Fills the array from a statement run on the cursor; lines become unchanged.
  int loadArray(LineArray* array, CursorHandle& cursor, std::string_view statement);
  void redisplay(LineArray* array);
  Control* gridOf(const LineArray* array) const;
  // Checks a handle; throws RuntimeError for one this session does not own.
  LineArray& array(LineArray* handle) const;

 private:
  Session& session_;
};

}  // namespace corvena::forms
