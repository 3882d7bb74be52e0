#include "platform/automation/script_driver.h"

#include <string>
#include <utility>

namespace corvena::automation {

namespace {

std::string trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\0'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

forms::Navigation navigationOf(CommandKind kind) {
  switch (kind) {
    case CommandKind::First:
      return forms::Navigation::First;
    case CommandKind::Prev:
      return forms::Navigation::Previous;
    case CommandKind::Next:
      return forms::Navigation::Next;
    default:
      return forms::Navigation::Last;
  }
}

}  // namespace

ScriptDriver::ScriptDriver(forms::Session& session, std::ostream& out)
    : session_(session), out_(out) {
  auto ui = std::make_unique<forms::HeadlessUi>(&out);
  ui_ = ui.get();
  session_.setUi(std::move(ui));
}

int ScriptDriver::result() const {
  if (broken_) return ScriptBroken;
  return failures_ > 0 ? ScriptFailed : ScriptPassed;
}

void ScriptDriver::reportError(const ScriptError& error) {
  broken_ = true;
  outcome_ = {Outcome::Kind::Broken, {}, error.message()};
  out_ << "ERROR " << error.line() << ": " << error.message() << "\n";
}

void ScriptDriver::fail(int line, const std::string& what) {
  ++failures_;
  outcome_ = {Outcome::Kind::Failed, {}, what};
  out_ << "FAIL " << line << ": " << what << "\n";
}

// The refusal's reason is the last message the screen showed for it, if any.
void ScriptDriver::refused(const std::string& what) {
  out_ << "REFUSED " << what << "\n";
  outcome_ = {Outcome::Kind::Refused, {}, what + " was refused"};
  const auto& shown = ui_->messages();
  if (shown.size() <= messagesBefore_) return;
  outcome_.reason = shown.back().text;
  outcome_.messageNumber = session_.messages().lastMessageNumber();
}

void ScriptDriver::read(std::string_view tag, const std::string& subject, std::string value) {
  out_ << tag << " " << subject << ": " << value << "\n";
  outcome_.value = std::move(value);
}

int ScriptDriver::run(std::string_view script) {
  std::vector<Command> commands;
  try {
    commands = parseScript(script);
  } catch (const ScriptError& e) {
    reportError(e);
    out_.flush();
    return result();
  }
  std::size_t position = 0;
  return drain([&]() -> std::optional<Command> {
    if (position >= commands.size()) return std::nullopt;
    return commands[position++];
  });
}

int ScriptDriver::runStream(std::istream& in) {
  int line = 0;
  return drain([&]() -> std::optional<Command> {
    for (std::string text; std::getline(in, text);) {
      try {
        if (auto command = parseCommand(text, ++line)) return command;
      } catch (const ScriptError& e) {
        reportError(e);
        return std::nullopt;
      }
    }
    return std::nullopt;
  });
}

int ScriptDriver::drain(CommandSource source) {
  const auto outer = std::exchange(source_, std::move(source));
  while (pumpOne()) {
  }
  source_ = outer;
  out_.flush();
  return result();
}

bool ScriptDriver::pumpOne() {
  if (broken_ || !source_) return false;
  const auto command = source_();
  if (!command) return false;
  if (!answered_) return execute(*command);
  answered_(answer(*command));
  return true;
}

void ScriptDriver::serve(CommandSource source, AnswerSink answered) {
  const auto outer = std::exchange(answered_, std::move(answered));
  drain(std::move(source));
  answered_ = outer;
}

bool ScriptDriver::execute(const Command& command) {
  outcome_ = {};
  messagesBefore_ = ui_->messages().size();
  try {
    perform(command);
  } catch (const ScriptError& e) {
    reportError(e);
  } catch (const forms::RuntimeError& e) {
    fail(command.line, "run-time error " + std::to_string(e.number()) + ": " + e.description());
    outcome_.messageNumber = e.number();
    outcome_.reason = e.description();
  }
  out_.flush();
  return !broken_;
}

const Outcome& ScriptDriver::answer(const Command& command) {
  execute(command);
  broken_ = false;
  return outcome_;
}

void ScriptDriver::perform(const Command& command) {
  switch (command.kind) {
    case CommandKind::Set:
      return set(command);
    case CommandKind::Click:
      return click(command);
    case CommandKind::Save:
      return save(command);
    case CommandKind::Cancel:
      if (!session_.updates().cancel()) refused("cancel");
      return;
    case CommandKind::New:
      if (!session_.updates().newRecord(command.level())) refused("new");
      return;
    case CommandKind::Delete:
      if (!session_.updates().deleteLevel(command.level())) refused("delete");
      return;
    case CommandKind::First:
    case CommandKind::Prev:
    case CommandKind::Next:
    case CommandKind::Last:
      session_.updates().navigate(command.level(), navigationOf(command.kind));
      return;
    case CommandKind::Line:
      return line(command);
    case CommandKind::Answer:
      ui_->queueAnswer(command.yes() ? forms::kAnswerYes : forms::kAnswerNo);
      return;
    case CommandKind::Expect:
      return expect(command);
    case CommandKind::Show:
      return show(command);
    case CommandKind::Get:
      return get(command);
    case CommandKind::Property:
      return property(command);
    case CommandKind::SetProperty:
      return setProperty(command);
    case CommandKind::Grid:
    case CommandKind::Row:
      return gridRow(command);
    case CommandKind::Find:
      return findRow(command);
    case CommandKind::EditState:
      return editState(command);
    case CommandKind::Abandon:
      return abandon(command);
    case CommandKind::Import:
      return importFile(command);
  }
}

forms::Control& ScriptDriver::control(const Command& command, std::string_view name) {
  forms::Control* found = session_.findControl(name);
  if (!found) throw ScriptError(command.line, "unknown control: " + std::string(name));
  return *found;
}

forms::Control& ScriptDriver::grid(const Command& command) {
  auto& found = control(command, command.args[0]);
  if (found.cls() != forms::ControlClass::Grid)
    throw ScriptError(command.line, "not a grid: " + command.args[0]);
  return found;
}

void ScriptDriver::set(const Command& command) { typeInTurn(command, 0, typedControls(command, 0)); }

// The controls of the control and value pairs from `first` on, every one known
// before any is typed.
std::vector<forms::Control*> ScriptDriver::typedControls(const Command& command, std::size_t first) {
  std::vector<forms::Control*> targets;
  for (std::size_t i = first; i < command.args.size(); i += 2)
    targets.push_back(&control(command, command.args[i]));
  return targets;
}

// Each pair typed in turn, as a person types one field after another; the
// first refused ends the command: false.
bool ScriptDriver::typeInTurn(const Command& command, std::size_t first,
                              const std::vector<forms::Control*>& targets) {
  for (std::size_t i = 0; i < targets.size(); ++i)
    if (!session_.enterValue(*targets[i], command.args[first + 2 * i + 1])) {
      refused(targets[i]->name());
      outcome_.typed = static_cast<int>(i);
      return false;
    }
  return true;
}

// A save that gave up waiting for another user's lock did not do what the
// script asked: the run fails, where a refusal by the screen is the screen's answer.
void ScriptDriver::save(const Command& command) {
  const auto lockTimeouts = [&] {
    return session_.hasDatabase() ? session_.database().lockTimeouts() : 0;
  };
  const int before = lockTimeouts();
  if (session_.updates().save()) return;
  refused("save");
  if (lockTimeouts() > before)
    fail(command.line, "the save waited for another user's lock on the company database and failed");
}

void ScriptDriver::click(const Command& command) {
  auto& target = control(command, command.args[0]);
  if (!session_.click(target)) refused(target.name());
}

// As a person would: the button clicked, the file picked in its dialog.
void ScriptDriver::importFile(const Command& command) {
  const std::string& button = session_.mainForm().importButton();
  if (button.empty()) throw ScriptError(command.line, "this screen imports no file");
  auto& target = control(command, button);
  ui_->queueFile(command.args[0]);
  if (!session_.click(target)) refused(target.name());
  ui_->dropFiles();
}

void ScriptDriver::line(const Command& command) {
  auto& target = grid(command);
  const int number = command.lineNumber();
  if (number == 0) {
    if (!session_.grids().startNewLine(target)) refused(target.name());
    return;
  }
  if (!session_.grids().selectLine(target, number - 1))
    fail(command.line, target.name() + " has no line " + std::to_string(number) + " (it has " +
                           std::to_string(session_.grids().lineCount(target)) + ")");
}

void ScriptDriver::expect(const Command& command) {
  auto& target = control(command, command.args[0]);
  const auto shown = trimmed(session_.displayText(target));
  if (shown != command.args[1])
    fail(command.line,
         target.name() + " is " + scriptWord(shown) + ", expected " + scriptWord(command.args[1]));
}

void ScriptDriver::show(const Command& command) {
  auto& target = control(command, command.args[0]);
  if (target.cls() == forms::ControlClass::Grid) return showGrid(target);
  out_ << "SHOW " << target.name() << ": " << trimmed(session_.displayText(target)) << "\n";
}

void ScriptDriver::showGrid(forms::Control& grid) {
  const auto count = session_.grids().lineCount(grid);
  const auto columns = grid.form().columns(grid);
  out_ << "SHOW " << grid.name() << ": " << count << (count == 1 ? " line" : " lines") << "\n";
  for (std::size_t i = 0; i < count; ++i) {
    std::string text;
    bool first = true;
    for (const auto* column : columns) {
      if (!column->visible()) continue;
      if (!first) text += " | ";
      first = false;
      text += trimmed(session_.grids().cellText(grid, i, *column));
    }
    out_ << text << "\n";
  }
}

}  // namespace corvena::automation
