#pragma once
// The host's numbered messages. Texts carry %1..%6 for Messf's arguments.

#include <string>
#include <string_view>
#include <vector>

namespace corvena::forms {

// Message numbers the framework shows itself.
inline constexpr int kMsgFieldRequired = 10;
inline constexpr int kMsgNotInList = 11;
inline constexpr int kMsgBadValue = 12;
inline constexpr int kMsgOutOfRange = 13;
inline constexpr int kMsgEntryRefused = 14;
inline constexpr int kMsgUntypable = 16;
inline constexpr int kMsgBadPeriod = 17;
inline constexpr int kMsgChangedByOther = 20;
inline constexpr int kMsgSaveFailed = 21;
inline constexpr int kMsgDeleteFailed = 22;
inline constexpr int kMsgRuntimeError = 23;
inline constexpr int kMsgNoNumber = 24;
inline constexpr int kMsgConfirmDelete = 25;
inline constexpr int kMsgSaveFirst = 26;
inline constexpr int kMsgNothingToSave = 27;
inline constexpr int kMsgDuplicateValue = 28;
inline constexpr int kMsgConfirmCancel = 29;
inline constexpr int kMsgConfirmDeleteLine = 30;
inline constexpr int kMsgNoRights = 31;
inline constexpr int kMsgSaveTurnedOff = 32;

// The catalogue text, or "Message N" for a number it does not hold.
std::string messageText(int number);
// The box style the message is shown with (0 plain, 48 warning).
int messageStyle(int number);
// The text with %1..%n replaced by the arguments (missing ones by nothing).
std::string formatMessage(int number, const std::vector<std::string>& args);
// The caption message boxes of numbered messages carry.
inline constexpr std::string_view kMessageCaption = "Message";

}  // namespace corvena::forms
