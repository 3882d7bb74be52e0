#include "platform/automation/wire.h"

#include <charconv>

namespace corvena::automation {

namespace {

// "NUMBER TEXT" into an answer; nothing when it does not start with a number.
std::optional<WireAnswer> numbered(std::string_view rest) {
  WireAnswer a;
  const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), a.number);
  if (ec != std::errc()) return std::nullopt;
  rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
  if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  a.text = unescapeWire(rest);
  return a;
}

std::string_view after(std::string_view line, std::string_view word) {
  line.remove_prefix(word.size());
  if (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  return line;
}

}  // namespace

std::string escapeWire(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string unescapeWire(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
  }
  return out;
}

std::string readyLine(std::string_view program) {
  return std::string(kGreeting) + " " + std::to_string(kWireVersion) + " READY " +
         std::string(program);
}

std::string startFailureLine(int code, std::string_view description) {
  return std::string(kGreeting) + " " + std::to_string(kWireVersion) + " FAILED " +
         std::to_string(code) + " " + escapeWire(description);
}

std::string answerLine(const Outcome& outcome) {
  const auto error = [](int number, const std::string& description) {
    return "ERROR " + std::to_string(number) + " " + escapeWire(description);
  };
  switch (outcome.kind) {
    case Outcome::Kind::Done:
      return outcome.value.empty() ? "OK" : "OK " + escapeWire(outcome.value);
    case Outcome::Kind::Refused:
      return (outcome.typed > 0 ? "TYPED " + std::to_string(outcome.typed) + "\n" : std::string()) +
             error(kErrRefused, std::to_string(outcome.messageNumber) + " " + outcome.reason);
    case Outcome::Kind::Failed:
      return error(kErrHostFailure, std::to_string(outcome.messageNumber) + " " + outcome.reason);
    case Outcome::Kind::Broken:
      break;
  }
  return error(kErrObjectModel, outcome.reason);
}

std::string saidLine(std::string_view shown) {
  return "SAID " + escapeWire(shown);
}

std::string endedLine(std::int64_t statements) {
  return "ENDED " + std::to_string(statements);
}

std::optional<std::int64_t> parseEnded(std::string_view line) {
  if (line.rfind("ENDED ", 0) != 0) return std::nullopt;
  std::int64_t statements = 0;
  line.remove_prefix(6);
  const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), statements);
  if (ec != std::errc() || end != line.data() + line.size()) return std::nullopt;
  return statements;
}

std::optional<int> parseTyped(std::string_view line) {
  if (line.rfind("TYPED ", 0) != 0) return std::nullopt;
  int typed = 0;
  line.remove_prefix(6);
  const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), typed);
  if (ec != std::errc() || end != line.data() + line.size() || typed < 0) return std::nullopt;
  return typed;
}

std::optional<std::string> parseSaid(std::string_view line) {
  if (line.rfind("SAID ", 0) != 0) return std::nullopt;
  return unescapeWire(line.substr(5));
}

std::optional<WireAnswer> parseAnswer(std::string_view line) {
  if (line == "OK") return WireAnswer{true, 0, {}};
  if (line.rfind("OK ", 0) == 0) return WireAnswer{true, 0, unescapeWire(line.substr(3))};
  if (line.rfind("ERROR ", 0) == 0) return numbered(after(line, "ERROR"));
  return std::nullopt;
}

std::optional<WireAnswer> parseGreeting(std::string_view line) {
  const std::string head = std::string(kGreeting) + " " + std::to_string(kWireVersion) + " ";
  if (line.rfind(head, 0) != 0) return std::nullopt;
  line.remove_prefix(head.size());
  if (line.rfind("READY", 0) == 0) return WireAnswer{true, 0, std::string(after(line, "READY"))};
  if (line.rfind("FAILED ", 0) == 0) return numbered(after(line, "FAILED"));
  return std::nullopt;
}

}  // namespace corvena::automation
