#pragma once
// What the host shell's menu offers: the module's five screens, the host's AR
// screens and its Users and Rights, each with its number and caption, and where
// its program is (a screen whose program is not installed is shown as unavailable).

#include <optional>
#include <string>
#include <vector>

namespace corvena::shell {

struct MenuScreen {
  std::string program;  // "QM18200"
  std::string number;   // "QM.182.00"
  std::string caption;
  std::optional<std::string> path;  // the program found, or nothing
  bool administration = false;      // offered to administrators only
  bool available() const { return path.has_value(); }
};

// CORVENA_PROGRAM_PATH (colon-separated), then the shell's own directory, then PATH.
std::vector<std::string> programDirectories();
// The first executable file of that name in the directories.
std::optional<std::string> locateProgram(const std::string& program,
                                         const std::vector<std::string>& directories);
// The menu in its order, each screen located in the directories.
std::vector<MenuScreen> menuScreens(const std::vector<std::string>& directories);

}  // namespace corvena::shell
