#pragma once
// Screen scripts: one command a line, blank-separated arguments, double quotes
// around a value with blanks (a backslash inside quotes takes the next character
// as it stands, so \" is a quote and \\ a backslash), and '#' at the start of a
// word begins a comment that runs to the end of the line.

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvena::automation {

enum class CommandKind {
  Set,     // set CONTROL VALUE [CONTROL VALUE]...: typed in turn, the first refused ends it
  Click,   // click CONTROL
  Save,    // save
  Cancel,  // cancel
  New,     // new LEVEL
  Delete,  // delete LEVEL
  First,   // first LEVEL
  Prev,    // prev LEVEL
  Next,    // next LEVEL
  Last,    // last LEVEL
  Line,    // line GRID N | line GRID new
  Answer,  // answer yes | answer no
  Expect,  // expect CONTROL VALUE
  Show,    // show CONTROL | show GRID
  Get,          // get CONTROL: its value as the screen holds it
  Property,     // property CONTROL NAME
  SetProperty,  // setproperty CONTROL NAME VALUE
  Grid,         // grid LEVEL first|next: the level's grid row
  Row,          // row LEVEL first|next: as grid, then every control's name and value
  Find,         // find LEVEL CONTROL VALUE [CONTROL VALUE]...: as row, to the first row whose
                // CONTROL shows VALUE, the further values typed into it
  EditState,    // editstate LEVEL: 3 when nothing is pending
  Abandon,      // abandon LEVEL: pending changes dropped, unsaved
  Import,       // import FILE: the screen's import button clicked and FILE picked
};

struct Command {
  CommandKind kind;
  int line = 0;  // 1-based line of the script it came from
  std::vector<std::string> args;

  int level() const;       // New, Delete, First, Prev, Next, Last
  int lineNumber() const;  // Line: the 1-based line, or 0 for "new"
  bool yes() const;        // Answer
  bool first() const;      // Grid
};

// A fault in the script itself: what it is and where.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& what);
  int line() const { return line_; }
  std::string message() const { return message_; }

 private:
  int line_;
  std::string message_;
};

// The words of a line, comment dropped; throws ScriptError for an unclosed quote.
std::vector<std::string> splitWords(std::string_view text, int line);

// Nothing for a blank or comment line; throws ScriptError for an unknown command,
// a wrong number of arguments or an argument of the wrong form.
std::optional<Command> parseCommand(std::string_view text, int line);

// The text of a script file, or standard input for "-"; nothing, with the
// reason written to `err`, when it cannot be read (a directory, no such file).
std::optional<std::string> readScriptFile(const std::string& path, std::ostream& err);

// The whole script; the first fault throws.
std::vector<Command> parseScript(std::string_view text);

std::string_view commandName(CommandKind kind);

// The way a value is written back into a script: quoted when it needs to be.
std::string scriptWord(std::string_view value);

}  // namespace corvena::automation
