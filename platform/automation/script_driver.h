#pragma once
// Runs screen scripts against a form session, as a person would work the
// screen, and writes one output line per event: MESSAGE, REFUSED, STATUS,
// FAIL, SHOW, VALUE, PROPERTY, GRID, ROW, EDITSTATE, a report's rows under its
// tag (an import's REMIT), and ERROR for a fault in the
// script itself. Commands can come as a whole script, one at a time from a
// stream, or as requests of another process driving this screen (answer()).

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/automation/script.h"
#include "platform/forms/headless_ui.h"
#include "platform/forms/session.h"

namespace corvena::automation {

// Exit codes of a script run.
inline constexpr int ScriptPassed = 0;
inline constexpr int ScriptFailed = 1;  // an expectation did not hold
inline constexpr int ScriptBroken = 2;  // unknown command or control, bad arguments

// What one command came to, for a caller that drives the screen request by request.
struct Outcome {
  enum class Kind { Done, Refused, Failed, Broken };
  Kind kind = Kind::Done;
  std::string value;      // what a reading command read
  std::string reason;     // why it was refused, failed or broken
  // The host message that refused it (0 for none or the screen's own text), or the run-time error.
  int messageNumber = 0;
  int typed = 0;  // refused: the pairs of the set or find typed before the refused one
};

class ScriptDriver {
 public:
  using CommandSource = std::function<std::optional<Command>()>;
  using AnswerSink = std::function<void(const Outcome&)>;

  // Gives the session a headless user interface that writes message boxes and
  // status-log lines to `out` and answers questions as the script says.
  ScriptDriver(forms::Session& session, std::ostream& out);

  // Checks the whole script first; a fault runs nothing. Then runs it to the end,
  // or to the first fault it meets on the way (an unknown control).
  int run(std::string_view script);
  // Reads, runs and answers one command a line until the stream ends or a fault.
  int runStream(std::istream& in);
  // One command; false on a fault in the script (reported as ERROR).
  bool execute(const Command& command);
  // Runs the next command of the script being run, for a screen that waits in a
  // loop of its own (a modal form) while the script goes on; false when there is none.
  bool pumpOne();
  // Runs one request; the driver stays ready for the next whatever it came to.
  const Outcome& answer(const Command& command);
  // Runs each request `source` gives until it gives none, handing what each came
  // to to `answered`; a screen waiting in a modal form is served the next request.
  void serve(CommandSource source, AnswerSink answered);

  forms::HeadlessUi& ui() { return *ui_; }
  forms::Session& session() { return session_; }

  int result() const;
  int failures() const { return failures_; }

 private:
  int drain(CommandSource source);
  void reportError(const ScriptError& error);
  void fail(int line, const std::string& what);
  forms::Control& control(const Command& command, std::string_view name);
  forms::Control& grid(const Command& command);
  void set(const Command& command);
  std::vector<forms::Control*> typedControls(const Command& command, std::size_t first);
  bool typeInTurn(const Command& command, std::size_t first,
                  const std::vector<forms::Control*>& targets);
  void click(const Command& command);
  void save(const Command& command);
  void line(const Command& command);
  void expect(const Command& command);
  void show(const Command& command);
  void showGrid(forms::Control& grid);
  void perform(const Command& command);
  void refused(const std::string& what);
  void read(std::string_view tag, const std::string& subject, std::string value);
  void get(const Command& command);
  void property(const Command& command);
  void setProperty(const Command& command);
  void gridRow(const Command& command);
  void findRow(const Command& command);
  std::string screenValues(forms::Control& grid, bool changedOnly);
  std::string nextRowState(forms::Control& grid);
  void editState(const Command& command);
  void abandon(const Command& command);
  void importFile(const Command& command);
  forms::Control& gridAtLevel(const Command& command);
  std::string propertyText(const Command& command, forms::Control& target);

  forms::Session& session_;
  std::ostream& out_;
  forms::HeadlessUi* ui_;
  CommandSource source_;
  AnswerSink answered_;
  Outcome outcome_;
  std::size_t messagesBefore_ = 0;
  int failures_ = 0;
  bool broken_ = false;
  // What row and find answers told of each control: a find tells only what changed since.
  // Keyed by name, as the caller keeps them.
  std::unordered_map<std::string, std::string> told_;
};

}  // namespace corvena::automation
