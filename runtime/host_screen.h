#pragma once
// A host screen driven by this one: the same program a clerk opens, started in
// its own process with this screen's sign-on and worked request by request
// (platform/automation, docs/automation.md). Every operation raises a
// RuntimeError numbered as a host object error (hostErrorCode gives 2048 a
// refusal, 2049 a failure or a lost screen, 2050 a control, property or request
// the screen does not know); its description leads with the host message number.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/driven_process.h"
#include "platform/forms/runtime_error.h"

namespace corvena::runtime {

// Host object errors are raised offset by this base, as the host's callers expect.
inline constexpr std::int32_t HostObjectErrorBase = -2147221504;
// The host's own number of an error HostScreen raised (2048, 2049, 2050).
int hostErrorCode(const forms::RuntimeError& error);

class HostScreen;

class HostProperty {
 public:
  std::string PropertyValue() const;
  void PropertyValue(std::string_view value) const;

 private:
  friend class HostProperties;
  HostProperty(HostScreen& screen, std::string control, std::string name);
  HostScreen* screen_;
  std::string control_, name_;
};

class HostProperties {
 public:
  HostProperty PropertyByName(std::string_view name) const;

 private:
  friend class HostControl;
  HostProperties(HostScreen& screen, std::string control) : screen_(&screen), control_(control) {}
  HostScreen* screen_;
  std::string control_;
};

class HostControl {
 public:
  std::string ControlValue() const;
  // Entered as a clerk types it: checks, defaults and totals of the screen run.
  void ControlValue(std::string_view text) const;
  void ControlValue(const char* text) const { ControlValue(std::string_view(text)); }
  void ControlValue(double value) const;
  void ControlValue(std::int16_t value) const;
  void ControlValue(const HostControl& from) const;
  HostProperties ControlProperties() const { return {*screen_, name_}; }
  const std::string& name() const { return name_; }

 private:
  friend class ScreenControlSet;
  HostControl(HostScreen& screen, std::string name) : screen_(&screen), name_(std::move(name)) {}
  HostScreen* screen_;
  std::string name_;
};

class ScreenControlSet {
 public:
  // Matched without regard to case; an unknown name raises when the control is used.
  HostControl ControlByName(std::string_view name) const;

 private:
  friend class HostScreen;
  explicit ScreenControlSet(HostScreen& screen) : screen_(&screen) {}
  HostScreen* screen_;
};

class HostScreen {
 public:
  explicit HostScreen(std::unique_ptr<automation::DrivenProcess> process);
  ~HostScreen();

  // false: start on a new batch; true: keep what the screen shows.
  void PrepareScreen(bool keep);
  void CloseScreen();
  // The screen stays open for the clerk with what was typed, outlives this one
  // and is worked no more from here.
  void HandOver();
  void GridFirst(std::string_view level, std::int16_t& state);
  ScreenControlSet ScreenControls() { return ScreenControlSet(*this); }
  void SaveScreen();
  // A level's "Level" property text, or "Batch": at the batch level it completes the batch.
  void StartNewAtLevel(std::string_view level);
  // result 0 when the level's pending work was dropped, 1 when the screen refused.
  void AbandonLevel(std::string_view level, std::int16_t& result);
  // Answered here, without a request, when the screen said what the move would
  // answer and that it changes nothing but the row; the screen makes the move
  // before any request other than a walk from the grid's first row.
  void GridNext(std::string_view level, std::int16_t& state);
  // The first row of the level's grid whose control shows the value, reached as
  // GridFirst and GridNext would reach it, each amount then typed into it as
  // ControlValue types it, in one request; state as theirs.
  void GridFind(std::string_view level, std::string_view control, std::string_view value,
                std::int16_t& state,
                const std::vector<std::pair<std::string, double>>& typed = {});
  // Why the completed batch was not released; blank when it was.
  std::string ScreenErrorText();
  // 3 when nothing is pending at the level.
  void LevelEditState(std::string_view level, std::int16_t& state);

  // Each control's value entered in turn as ControlValue enters it, in one
  // request; the first refused raises, what was entered before it stays.
  void TypeValues(const std::vector<std::pair<std::string, std::string>>& values);
  // After a refused TypeValues: how many of its values were entered before the refused one.
  std::size_t TypedBeforeRefusal() const { return typed_; }

  // One request of the wire; its answer's value, or the error raised.
  std::string request(const std::string& line);
  long processId() const;

 private:
  friend class HostControl;
  friend class HostProperty;
  std::string valueOf(const std::string& control);
  std::string propertyOf(const std::string& control, const std::string& name);
  std::int16_t stateOf(const std::string& line);
  std::int16_t moveRow(const std::string& line, const std::string& level);
  void settleOwedMove(const std::string& line);
  std::unique_ptr<automation::DrivenProcess> process_;
  // The screen changes only on a request other than a read, so what was read
  // since the last such request still holds; keyed by lower-case name.
  std::map<std::string, std::string> values_;
  std::map<std::string, std::string> levels_;  // a control's level is fixed
  // What a move on from the row the screen last answered with would answer,
  // while nothing changed the screen since (1: only the move can tell).
  struct NextRow {
    std::string level;
    std::int16_t state;
  };
  std::optional<NextRow> nextRow_;
  // What the screen told of every control in its answers to moves, kept as
  // it tells only what changed; and by level, the controls a move changes.
  std::map<std::string, std::string> told_;
  std::map<std::string, std::set<std::string>> rowControls_;
  std::optional<std::string> owedMove_;  // the level of a move answered here, not yet made
  std::size_t typed_ = 0;
};

// An amount as ControlValue types it.
std::string HostAmountText(double value);

// The control named on the screen, and the text of one of its properties
// ("Level", "Enabled", "BlankErr"): how the module's releases reach them.
HostControl HostField(HostScreen& screen, std::string_view control);
std::string HostFieldProperty(HostScreen& screen, std::string_view control,
                              std::string_view property);

// Starts "<name>" (".exe" dropped) from the host shell's program directories,
// signed on as this screen is. iErr 0 and the screen, or the start-up number in
// iErr, a detail in lErr, and nothing.
std::unique_ptr<HostScreen> StartAppAndAutomate(std::string_view programFile, std::int16_t& iErr,
                                                std::int32_t& lErr);

}  // namespace corvena::runtime
