#pragma once
// The update control of a screen: new, save, delete, cancel and navigation
// over its levels, what changed at each level, the toolbar's buttons and the
// user's rights, numbering of new records, and the clerk's unsaved work.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/screen_rights.h"
#include "platform/forms/update_levels.h"

namespace corvena::forms {

class Control;
class Session;

// Toolbar buttons of SetButton.
inline constexpr int kButtonNew = 1;
inline constexpr int kButtonSave = 2;
inline constexpr int kButtonDelete = 4;
inline constexpr int kButtonCancel = 8;
inline constexpr int kAllLevels = -1;

enum class Navigation { First, Previous, Next, Last };

class UpdateControl {
 public:
  explicit UpdateControl(Session& session) : session_(session) {}
  UpdateControl(const UpdateControl&) = delete;
  UpdateControl& operator=(const UpdateControl&) = delete;

  const std::vector<LevelDesc>& levels() const;
  // Clears the levels from `level` on and applies defaults (a new record).
  bool newRecord(int level);
  bool save();
  bool deleteLevel(int level);
  bool cancel();
  bool navigate(int level, Navigation how);
  int levelChange(int level) const;
  void setLevelChange(int level, int state);
  void setButtons(int buttons, int level, int state);
  bool buttonEnabled(int button, int level) const;
  // The signed-on user's rights on this screen (all until set).
  void setRights(const ScreenRights& rights);
  const ScreenRights& rights() const;
  // Before the clerk's changes are dropped (moving, New, closing): at a desk,
  // asks whether to save them first. Yes saves (a refused save stays), No
  // lets them go, Cancel stays. False when the action must not go on.
  bool settleUnsaved(std::string_view action);
  // Whether the clerk changed the record on the screen since it was read or saved.
  bool hasUnsavedWork() const;
  // How many saves were done since the session began.
  std::size_t savesDone() const { return savesDone_; }
  // How many saves and deletions this session committed: what it wrote since a count.
  std::size_t writesDone() const { return savesDone_ + deletesDone_; }
  // Called by a handler during a save: when the save is refused, the control's
  // field keeps the value it has then, while everything else is put back.
  void keepThroughRefusal(Control& control);
  // Numbers a new level-0 record with a blank key from `source` at save.
  void setAutoNumber(Control& key, std::string source, std::vector<Control*> detailKeys);

 private:
  bool rightsAllow(int button, int level) const;
  Session& session_;
  std::size_t savesDone_ = 0;
  std::size_t deletesDone_ = 0;
};

}  // namespace corvena::forms
