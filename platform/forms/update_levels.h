#pragma once
// The update control's `levels` property: "Header;N,Detail;DA" names level 0,
// 1, ... with their kinds. N a record level saved by key, C a single-row level
// (no key), D a grid level, A lines may be added.

#include <string>
#include <string_view>
#include <vector>

namespace corvena::forms {

struct LevelDesc {
  std::string name;
  std::string kind;
  bool isGrid() const;
  bool singleRow() const;
};

std::vector<LevelDesc> parseLevels(std::string_view levels);

}  // namespace corvena::forms
