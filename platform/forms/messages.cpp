#include "platform/forms/messages.h"

#include <map>

#include "platform/forms/ui.h"

namespace corvena::forms {

namespace {

struct Entry {
  const char* text;
  int style;
};

const std::map<int, Entry>& catalogue() {
  static const std::map<int, Entry> m{
      {kMsgFieldRequired, {"A value is required in %1.", kStyleWarning}},
      {kMsgNotInList, {"%1 is not a valid value for %2.", kStyleWarning}},
      {kMsgBadValue, {"%1 is not a valid entry for %2.", kStyleWarning}},
      {kMsgOutOfRange, {"%1 is outside the allowed range of %2 (%3 to %4).", kStyleWarning}},
      {kMsgEntryRefused, {"The entry in %1 was not accepted.", kStyleWarning}},
      {15, {"Discount cannot exceed the discount balance of %1.", kStyleWarning}},
      {kMsgUntypable,
       {"The entry in %1 holds a control character or bytes that are not UTF-8 text.",
        kStyleWarning}},
      {kMsgBadPeriod,
       {"%1 is not a fiscal period for %2: give YYYYPP, the period from 01 to %3.",
        kStyleWarning}},
      {kMsgChangedByOther,
       {"%1 was changed by another user since it was read. Nothing was saved; cancel and "
        "read it again to see the changes.",
        kStyleWarning}},
      {kMsgSaveFailed, {"The changes could not be saved. Nothing was written. %1", kStyleWarning}},
      {kMsgDeleteFailed,
       {"The record could not be deleted. Nothing was deleted. %1", kStyleWarning}},
      {kMsgRuntimeError, {"Run-time error %1: %2", kStyleWarning}},
      {kMsgNoNumber,
       {"No next number could be taken from the numbering source %1.", kStyleWarning}},
      {kMsgSaveFirst,
       {"The record on the screen has changes that are not saved. Save them before %1?",
        kStyleYesNoCancel}},
      {kMsgNothingToSave, {"There are no changes to save.", kStylePlain}},
      {kMsgDuplicateValue, {"%1 is already on file. Nothing was saved.", kStyleWarning}},
      {kMsgConfirmCancel,
       {"Discard the changes that are not saved and read the screen again?", kStyleYesNoSafe}},
      {kMsgConfirmDelete, {"Delete %1? It is removed from the database at once.", kStyleYesNoSafe}},
      {kMsgConfirmDeleteLine,
       {"Delete the current line? It is removed when the screen is saved.", kStyleYesNoSafe}},
      {kMsgNoRights, {"You have no rights to %1 on this screen.", kStyleWarning}},
      {kMsgSaveTurnedOff,
       {"The screen does not save what it shows now (its Save is turned off). Nothing was saved.",
        kStyleWarning}},
      {217,
       {"Application amount plus discount cannot exceed the document balance.", kStyleWarning}},
      {3007, {"This reference number has already been used for this customer.", kStyleWarning}},
      {5010,
       {"The screen was built for another version of the host framework. Install the matching "
        "version.",
        kStyleWarning}},
      {12338, {"The discount date has passed for this document.", kStyleWarning}},
  };
  return m;
}

}  // namespace

std::string messageText(int number) {
  const auto it = catalogue().find(number);
  return it == catalogue().end() ? "Message " + std::to_string(number) : it->second.text;
}

int messageStyle(int number) {
  const auto it = catalogue().find(number);
  return it == catalogue().end() ? kStylePlain : it->second.style;
}

std::string formatMessage(int number, const std::vector<std::string>& args) {
  const std::string text = messageText(number);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      const std::size_t n = static_cast<std::size_t>(text[i + 1] - '1');
      if (n < args.size()) out += args[n];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace corvena::forms
