// The commands another process needs to drive a screen as its object model:
// reading values and properties, walking a level's grid, and a level's pending state.
#include <string>

#include "platform/automation/script_driver.h"
#include "platform/forms/text_util.h"

namespace corvena::automation {

namespace {

constexpr int kRowCurrent = 2;
constexpr int kNoRow = 0;
constexpr int kNothingPending = 3;
constexpr int kChangesPending = 2;

bool isTrueFalse(std::string_view property) {
  for (std::string_view name : {"enabled", "visible", "blankerr", "period"})
    if (forms::iequals(property, name)) return true;
  return false;
}

}  // namespace

void ScriptDriver::get(const Command& command) {
  auto& target = control(command, command.args[0]);
  read("VALUE", target.name(), session_.displayText(target));
}

// Levels read as plain numbers and flags as True/False, as automation callers compare them.
std::string ScriptDriver::propertyText(const Command& command, forms::Control& target) {
  const std::string& name = command.args[1];
  if (forms::iequals(name, "level")) return std::to_string(target.level());
  try {
    const std::string text = target.property(name);
    if (isTrueFalse(name)) return text == "1" ? "True" : "False";
    return text;
  } catch (const forms::RuntimeError&) {
    throw ScriptError(command.line, "unknown property: " + name);
  }
}

void ScriptDriver::property(const Command& command) {
  auto& target = control(command, command.args[0]);
  read("PROPERTY", target.name() + " " + command.args[1], propertyText(command, target));
}

void ScriptDriver::setProperty(const Command& command) {
  auto& target = control(command, command.args[0]);
  try {
    session_.setProperty(target, command.args[1], command.args[2]);
  } catch (const forms::RuntimeError&) {
    throw ScriptError(command.line, "unknown property: " + command.args[1]);
  }
}

forms::Control& ScriptDriver::gridAtLevel(const Command& command) {
  for (const auto& c : session_.mainForm().controls())
    if (c->cls() == forms::ControlClass::Grid && c->level() == command.level()) return *c;
  throw ScriptError(command.line, "no grid at level " + command.args[0]);
}

void ScriptDriver::gridRow(const Command& command) {
  auto& grid = gridAtLevel(command);
  int row = 0;
  if (!command.first()) {
    row = session_.grids().currentLine(grid) + 1;
    if (row == 0) throw ScriptError(command.line, "no current row of " + grid.name() + " to move on from");
  }
  const bool moved = session_.grids().selectLine(grid, row);
  std::string answer = std::to_string(moved ? kRowCurrent : kNoRow);
  if (command.kind == CommandKind::Row) answer += screenValues(grid, false);
  read(command.kind == CommandKind::Row ? "ROW" : "GRID", command.args[0], answer);
}

// What row next would answer from here, when that move runs none of the
// screen's own line handlers and so cannot change anything but the row;
// otherwise 1: only the move itself can tell.
std::string ScriptDriver::nextRowState(forms::Control& grid) {
  const auto& handlers = grid.handlers();
  if (handlers.lineChange || handlers.lineCheck) return "1";
  const int next = session_.grids().currentLine(grid) + 1;
  return std::to_string(next > 0 && next < static_cast<int>(session_.grids().lineCount(grid))
                            ? kRowCurrent
                            : kNoRow);
}

// The walk a caller would make with row first and row next to find a row by its
// key, made here in one request: the rows are moved to one by one as those move,
// and the first whose control shows the value (trailing blanks not counting)
// stays current. The values that follow are typed into it as set types them,
// in order; the first refused ends the request. Answered as row, with only the
// values that changed since row or find last told them: a walk a line would
// otherwise read the whole screen at each.
void ScriptDriver::findRow(const Command& command) {
  auto& grid = gridAtLevel(command);
  auto& key = control(command, command.args[1]);
  const auto typed = typedControls(command, 3);
  const std::string wanted = forms::trimEnd(command.args[2]);
  bool found = false;
  for (int row = 0; !found && session_.grids().selectLine(grid, row); ++row)
    found = forms::trimEnd(session_.displayText(key)) == wanted;
  if (found && !typeInTurn(command, 3, typed)) return;
  read("FIND", command.args[0], std::to_string(found ? kRowCurrent : kNoRow) + screenValues(grid, true));
}

// What a caller may read after a move, in one answer rather than a request
// each: the state of a move on to the next row, then how many of the values
// that follow are the row's own (the grid's level, they come first), then
// each bound control's name and value (only those changed since told, when so asked).
std::string ScriptDriver::screenValues(forms::Control& grid, bool changedOnly) {
  std::string rowValues, otherValues;
  int rowCount = 0;
  for (const auto& c : session_.mainForm().controls()) {
    if (!c->bound() || c->name().empty()) continue;
    std::string shown = session_.displayText(*c);
    const auto [told, fresh] = told_.try_emplace(c->name());
    if (changedOnly && !fresh && told->second == shown) continue;
    const bool ofRow = c->level() == grid.level();
    rowCount += ofRow;
    (ofRow ? rowValues : otherValues) += " " + scriptWord(c->name()) + " " + scriptWord(shown);
    told->second = std::move(shown);
  }
  return " " + nextRowState(grid) + " " + std::to_string(rowCount) + rowValues + otherValues;
}

void ScriptDriver::editState(const Command& command) {
  int state = kNothingPending;
  if (session_.updates().hasUnsavedWork()) {
    state = session_.updates().levelChange(command.level());
    if (state != forms::kLineInserted) state = kChangesPending;
  }
  read("EDITSTATE", command.args[0], std::to_string(state));
}

// Level 0 is the whole screen's work; a lower level is given up by starting it anew.
void ScriptDriver::abandon(const Command& command) {
  const int level = command.level();
  if (!(level == 0 ? session_.updates().cancel() : session_.updates().newRecord(level)))
    refused("abandon");
}

}  // namespace corvena::automation
