#include "platform/automation/script.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace corvena::automation {

namespace {

struct Grammar {
  CommandKind kind;
  std::string_view name;
  std::size_t arguments;
  std::string_view usage;
};

constexpr Grammar grammar[] = {
    {CommandKind::Set, "set", 2, "set CONTROL VALUE [CONTROL VALUE]..."},
    {CommandKind::Click, "click", 1, "click CONTROL"},
    {CommandKind::Save, "save", 0, "save"},
    {CommandKind::Cancel, "cancel", 0, "cancel"},
    {CommandKind::New, "new", 1, "new LEVEL"},
    {CommandKind::Delete, "delete", 1, "delete LEVEL"},
    {CommandKind::First, "first", 1, "first LEVEL"},
    {CommandKind::Prev, "prev", 1, "prev LEVEL"},
    {CommandKind::Next, "next", 1, "next LEVEL"},
    {CommandKind::Last, "last", 1, "last LEVEL"},
    {CommandKind::Line, "line", 2, "line GRID N|new"},
    {CommandKind::Answer, "answer", 1, "answer yes|no"},
    {CommandKind::Expect, "expect", 2, "expect CONTROL VALUE"},
    {CommandKind::Show, "show", 1, "show CONTROL"},
    {CommandKind::Get, "get", 1, "get CONTROL"},
    {CommandKind::Property, "property", 2, "property CONTROL NAME"},
    {CommandKind::SetProperty, "setproperty", 3, "setproperty CONTROL NAME VALUE"},
    {CommandKind::Grid, "grid", 2, "grid LEVEL first|next"},
    {CommandKind::Row, "row", 2, "row LEVEL first|next"},
    {CommandKind::Find, "find", 3, "find LEVEL CONTROL VALUE [CONTROL VALUE]..."},
    {CommandKind::EditState, "editstate", 1, "editstate LEVEL"},
    {CommandKind::Abandon, "abandon", 1, "abandon LEVEL"},
    {CommandKind::Import, "import", 1, "import FILE"},
};

const Grammar* grammarOf(CommandKind kind) {
  for (const auto& g : grammar)
    if (g.kind == kind) return &g;
  return nullptr;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::optional<int> wholeNumber(std::string_view s) {
  int v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
  return v;
}

// Reads one quoted word starting at text[i] == '"'; returns the index after the closing quote.
std::size_t readQuoted(std::string_view text, std::size_t i, int line, std::string& word) {
  for (++i; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      word += text[++i];
    } else if (text[i] == '"') {
      return i + 1;
    } else {
      word += text[i];
    }
  }
  throw ScriptError(line, "unclosed quote");
}

void checkLevel(const Command& cmd) {
  if (!wholeNumber(cmd.args[0]) || *wholeNumber(cmd.args[0]) < 0)
    throw ScriptError(cmd.line, "the level must be a number: " + cmd.args[0]);
}

void checkArguments(const Command& cmd) {
  const Grammar& g = *grammarOf(cmd.kind);
  // set types the pairs after its first in turn; find types those after its key into the row.
  const bool typedPairs = (cmd.kind == CommandKind::Set || cmd.kind == CommandKind::Find) &&
                          cmd.args.size() > g.arguments && (cmd.args.size() - g.arguments) % 2 == 0;
  if (cmd.args.size() != g.arguments && !typedPairs)
    throw ScriptError(cmd.line,
                      std::string(cmd.args.size() < g.arguments ? "missing" : "too many") +
                          " arguments, expected: " + std::string(g.usage));
  switch (cmd.kind) {
    case CommandKind::New:
    case CommandKind::Delete:
    case CommandKind::First:
    case CommandKind::Prev:
    case CommandKind::Next:
    case CommandKind::Last:
    case CommandKind::EditState:
    case CommandKind::Abandon:
    case CommandKind::Find:
      checkLevel(cmd);
      break;
    case CommandKind::Line:
      if (cmd.args[1] != "new" && (!wholeNumber(cmd.args[1]) || *wholeNumber(cmd.args[1]) < 1))
        throw ScriptError(cmd.line, "the line must be a number from 1 or new: " + cmd.args[1]);
      break;
    case CommandKind::Grid:
    case CommandKind::Row:
      checkLevel(cmd);
      if (cmd.args[1] != "first" && cmd.args[1] != "next")
        throw ScriptError(cmd.line, "the row must be first or next: " + cmd.args[1]);
      break;
    case CommandKind::Answer:
      if (cmd.args[0] != "yes" && cmd.args[0] != "no")
        throw ScriptError(cmd.line, "the answer must be yes or no: " + cmd.args[0]);
      break;
    default:
      break;
  }
}

}  // namespace

std::optional<std::string> readScriptFile(const std::string& path, std::ostream& err) {
  std::ostringstream text;
  if (path == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    err << "Cannot read the script " << path << ": it is a directory\n";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    err << "Cannot read the script " << path << "\n";
    return std::nullopt;
  }
  text << in.rdbuf();
  return text.str();
}

ScriptError::ScriptError(int line, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ": " + what),
      line_(line),
      message_(what) {}

int Command::level() const {
  return *wholeNumber(args.at(0));
}

int Command::lineNumber() const {
  return args.at(1) == "new" ? 0 : *wholeNumber(args.at(1));
}

bool Command::yes() const {
  return args.at(0) == "yes";
}

bool Command::first() const {
  return args.at(1) == "first";
}

std::vector<std::string> splitWords(std::string_view text, int line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < text.size()) {
    if (isBlank(text[i])) {
      ++i;
      continue;
    }
    if (text[i] == '#') break;
    std::string word;
    while (i < text.size() && !isBlank(text[i])) {
      if (text[i] == '"') {
        i = readQuoted(text, i, line, word);
      } else {
        word += text[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

std::optional<Command> parseCommand(std::string_view text, int line) {
  auto words = splitWords(text, line);
  if (words.empty()) return std::nullopt;
  for (const auto& g : grammar) {
    if (g.name != words.front()) continue;
    Command cmd{g.kind, line, {words.begin() + 1, words.end()}};
    checkArguments(cmd);
    return cmd;
  }
  throw ScriptError(line, "unknown command: " + words.front());
}

std::vector<Command> parseScript(std::string_view text) {
  std::vector<Command> commands;
  for (int line = 1;; ++line) {
    const auto end = text.find('\n');
    if (auto cmd = parseCommand(text.substr(0, end), line)) commands.push_back(std::move(*cmd));
    if (end == std::string_view::npos) return commands;
    text.remove_prefix(end + 1);
  }
}

std::string_view commandName(CommandKind kind) {
  return grammarOf(kind)->name;
}

std::string scriptWord(std::string_view value) {
  const bool plain = !value.empty() && value.front() != '#' &&
                     value.find_first_of(" \t\r\"\\") == std::string_view::npos;
  if (plain) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace corvena::automation
