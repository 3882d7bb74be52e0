#include "platform/shell/parent_menu.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace corvena::shell {

namespace {

struct Entry {
  const char* program;
  const char* number;
  const char* caption;
  bool administration = false;
};

constexpr Entry kScreens[] = {
    {"QM18100", "QM.181.00", "National Account Customer Setup Screen (QM.181.00)"},
    {"QM18200", "QM.182.00", "National Account Setup Screen (QM.182.00)"},
    {"QM18300", "QM.183.00", "National Account Payment Application (QM.183.00)"},
    {"QM18800", "QM.188.00", "National Accounts Payment Inquiry (QM.188.00)"},
    {"QM18900", "QM.189.00", "National Account Transfer Credit Memo/Payment (QM.189.00)"},
    {"QM18700", "QM.187.00", "National Account Statement (QM.187.00)"},
    {"0801000", "08.010.00", "Invoice and Memo (08.010.00)"},
    {"0803000", "08.030.00", "Payment Application (08.030.00)"},
    {"0325000", "03.250.00", "AR Document Inquiry (03.250.00)"},
    {"9810000", "98.100.00", "Users and Rights (98.100.00)", true},
};

void splitInto(const char* list, std::vector<std::string>& out) {
  if (!list) return;
  std::stringstream in(list);
  for (std::string dir; std::getline(in, dir, ':');)
    if (!dir.empty()) out.push_back(dir);
}

}  // namespace

std::vector<std::string> programDirectories() {
  std::vector<std::string> dirs;
  splitInto(std::getenv("CORVENA_PROGRAM_PATH"), dirs);
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) dirs.push_back(self.parent_path().string());
  splitInto(std::getenv("PATH"), dirs);
  return dirs;
}

std::optional<std::string> locateProgram(const std::string& program,
                                         const std::vector<std::string>& directories) {
  for (const auto& dir : directories) {
    const auto candidate = std::filesystem::path(dir) / program;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate.string();
  }
  return std::nullopt;
}

std::vector<MenuScreen> menuScreens(const std::vector<std::string>& directories) {
  std::vector<MenuScreen> screens;
  for (const auto& e : kScreens)
    screens.push_back({e.program, e.number, e.caption, locateProgram(e.program, directories),
                       e.administration});
  return screens;
}

}  // namespace corvena::shell
