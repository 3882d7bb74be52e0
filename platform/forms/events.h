#pragma once
// Event handlers a screen registers by control and event. A handler that
// accepts returns 0; any other error level refuses, and kSilentRefusal
// refuses without a further framework message.

#include <functional>
#include <string>
#include <vector>

namespace corvena::forms {

inline constexpr int kSilentRefusal = 32000;
// The level SaveLevel is raised with after the last real level.
inline constexpr int kWholeSaveLevel = 32000;

// Codes LineChange and LineCheck receive.
inline constexpr int kLineStarting = 0;  // a new line is being started
inline constexpr int kLineEntered = 1;   // an existing line became current
inline constexpr int kLineDeleting = 3;  // the current line is about to be deleted

// Field controls: the entered text may be changed in place (what is stored is
// the text as the handler leaves it).
using ValueCheckHandler = std::function<int(std::string& text)>;
using ValueDisplayedHandler = std::function<void()>;
// Buttons.
using ClickHandler = std::function<void()>;
// Grids.
using LineHandler = std::function<int(int code)>;
// The update control.
using SaveLevelHandler = std::function<int(int level)>;
using SaveCompletedHandler = std::function<void(int first, int second)>;
using DeleteRequestedHandler = std::function<int(int level)>;
using LevelResetHandler = std::function<void(int level)>;
using CancelRequestedHandler = std::function<int()>;
// New at a level: a screen may finish what the level holds first (an AR batch
// is completed, and released when so asked); non-zero keeps the record.
using NewRequestedHandler = std::function<int(int level)>;
// A field's look-up list the screen makes itself, for values that are no
// table's rows: the first column holds what the field stores.
struct PossibleValues {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};
using PossibleValuesHandler = std::function<PossibleValues()>;
// Forms.
using FormHandler = std::function<void()>;

struct ControlHandlers {
  ValueCheckHandler valueCheck;
  ValueDisplayedHandler valueDisplayed;
  ClickHandler click;
  LineHandler lineChange;
  LineHandler lineCheck;
  SaveLevelHandler saveLevel;
  SaveCompletedHandler saveCompleted;
  DeleteRequestedHandler deleteRequested;
  LevelResetHandler levelReset;
  CancelRequestedHandler cancelRequested;
  NewRequestedHandler newRequested;
  PossibleValuesHandler possibleValues;
};

}  // namespace corvena::forms
