#include "platform/forms/update_levels.h"

#include "platform/forms/text_util.h"

namespace corvena::forms {

bool LevelDesc::isGrid() const {
  return upper(kind).find('D') != std::string::npos;
}
bool LevelDesc::singleRow() const {
  return upper(kind).find('C') != std::string::npos;
}

std::vector<LevelDesc> parseLevels(std::string_view levels) {
  std::vector<LevelDesc> out;
  std::size_t start = 0;
  while (start < levels.size()) {
    const auto end = std::min(levels.find(',', start), levels.size());
    const std::string_view item = levels.substr(start, end - start);
    const auto semi = item.find(';');
    LevelDesc d{trim(item.substr(0, semi)),
                semi == std::string_view::npos ? std::string() : trim(item.substr(semi + 1))};
    if (!d.name.empty()) out.push_back(std::move(d));
    start = end + 1;
  }
  return out;
}

}  // namespace corvena::forms
