#pragma once
// The first step of entering a value: the text as the control's class, mask
// and range allow it, or the message number and arguments of its refusal.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/record.h"
#include "platform/forms/control.h"

namespace corvena::forms {

struct EntryRefusal {
  int message = 0;
  std::vector<std::string> args;
};

// What entry checks take from the session: the currency's decimals amounts
// round to, and the periods a year of the fiscal calendar.
struct EntryRules {
  int decimals = 2;
  int periodsPerYear = 12;
};

// How a control names itself in messages: heading, caption, else its name.
std::string controlLabel(const Control& control);

// The text to store, or the refusal. `rec` is only read (a trial store).
std::optional<std::string> checkEntry(const Control& control, const RecordRef& rec,
                                      const FieldDesc& field, std::string_view typed,
                                      const EntryRules& rules, EntryRefusal& refusal);

}  // namespace corvena::forms
