#pragma once
// The automation wire, version 6 (docs/automation.md): the driven screen greets
// with one line, then answers each request line with what it showed meanwhile
// (SAID lines) and exactly one answer line, and says at its end how many
// database statements it ran.
// Text inside a line escapes backslash, newline and carriage return.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/script_driver.h"

namespace corvena::automation {

inline constexpr int kWireVersion = 6;
inline constexpr std::string_view kGreeting = "CORVENA-AUTOMATION";
// The request that gives the screen to the clerk: answered, then no more requests.
inline constexpr std::string_view kHandOver = "handover";

// Error numbers a driving caller sees.
inline constexpr int kErrRefused = 2048;      // the screen refused; its message number leads
inline constexpr int kErrHostFailure = 2049;  // the screen failed, or its process did
inline constexpr int kErrObjectModel = 2050;  // unknown control or property, a request out of order

// Start-up failures, as the driven screen reports them.
inline constexpr int kErrNotLoggedIn = 7506;
inline constexpr int kErrOperatingSystem = 7519;
inline constexpr int kErrDuringLoad = 7520;

std::string escapeWire(std::string_view text);
std::string unescapeWire(std::string_view text);

std::string readyLine(std::string_view program);
std::string startFailureLine(int code, std::string_view description);
// The answer for what a request came to: one line, after a TYPED line when a
// refused set or find typed some of its pairs first.
std::string answerLine(const Outcome& outcome);
// A MESSAGE or STATUS line the screen showed while it carried the request out.
std::string saidLine(std::string_view shown);
// The last line of a screen whose requests ended: the statements it ran.
std::string endedLine(std::int64_t statements);

// A greeting or an answer as the caller reads it.
struct WireAnswer {
  bool ok = false;
  int number = 0;     // ERROR / FAILED: the error number
  std::string text;   // OK: the value; ERROR / FAILED: the description
  std::vector<std::string> said;  // what the screen showed on the way, in order
  int typed = 0;  // a refused set or find: the pairs it typed before the refused one
};
// Nothing for a line that is no answer of this version.
std::optional<WireAnswer> parseAnswer(std::string_view line);
// The shown line a SAID line carries; nothing for any other line.
std::optional<std::string> parseSaid(std::string_view line);
// The count a TYPED line carries; nothing for any other line.
std::optional<int> parseTyped(std::string_view line);
std::optional<WireAnswer> parseGreeting(std::string_view line);
std::optional<std::int64_t> parseEnded(std::string_view line);

}  // namespace corvena::automation
