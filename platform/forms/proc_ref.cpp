#include "platform/forms/proc_ref.h"

#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {

// Splits on commas outside double quotes.
std::vector<std::string> splitGroups(std::string_view text) {
  std::vector<std::string> groups;
  std::string cur;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      groups.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  groups.push_back(cur);
  return groups;
}

std::string unquote(std::string_view s, bool& wasQuoted) {
  std::string t = trim(s);
  wasQuoted = t.size() >= 2 && t.front() == '"' && t.back() == '"';
  return wasQuoted ? t.substr(1, t.size() - 2) : t;
}

}  // namespace

ProcRef parseProcRef(std::string_view text) {
  ProcRef ref;
  const auto groups = splitGroups(text);
  bool quoted = false;
  ref.procedure = unquote(groups.front(), quoted);
  for (std::size_t i = 1; i < groups.size(); ++i) {
    const std::string head = trim(groups[i].substr(0, groups[i].find(';')));
    if (head.empty()) continue;
    ProcArg arg;
    arg.text = unquote(head, quoted);
    // A quoted pattern ("%") names no buffer field: it passes as it stands.
    arg.isField = quoted && arg.text.find('.') != std::string::npos;
    ref.args.push_back(std::move(arg));
  }
  return ref;
}

}  // namespace corvena::forms
