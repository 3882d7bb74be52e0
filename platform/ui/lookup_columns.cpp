#include "platform/ui/lookup_columns.h"

#include <cctype>
#include <map>

namespace corvena::ui {

namespace {

std::string lowered(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The columns a clerk picks a value by, under the names the screens use.
const std::map<std::string, std::string>& describing() {
  static const std::map<std::string, std::string> headings = {
      {"name", "Name"},
      {"descr", "Description"},
      {"docdesc", "Description"},
      {"acctname", "Account Name"},
      {"city", "City"},
      {"state", "State"},
      {"phone", "Phone"},
      {"status", "Status"},
      {"active", "Active"},
      {"accttype", "Type"},
      {"custid", "Customer ID"},
      {"doctype", "Type"},
      {"refnbr", "Reference Number"},
      {"docdate", "Document Date"},
      {"duedate", "Due Date"},
      {"origdocamt", "Amount"},
      {"curyorigdocamt", "Amount"},
      {"curydocbal", "Balance"},
      {"docbal", "Balance"},
  };
  return headings;
}

bool isAudit(const std::string& name) {
  const std::string n = lowered(name);
  return n == "tstamp" || n.rfind("crtd_", 0) == 0 || n.rfind("lupd_", 0) == 0;
}

std::size_t indexOf(const std::vector<std::string>& names, const std::string& wanted) {
  for (std::size_t c = 0; c < names.size(); ++c)
    if (lowered(names[c]) == wanted) return c;
  return names.size();
}

// "CreditLimit" reads "Credit Limit".
std::string spelledOut(const std::string& name) {
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const bool upper = std::isupper(static_cast<unsigned char>(name[i]));
    if (i > 0 && upper && std::islower(static_cast<unsigned char>(name[i - 1]))) out += ' ';
    out += name[i] == '_' ? ' ' : name[i];
  }
  return out;
}

}  // namespace

std::vector<LookupColumn> shownLookupColumns(const std::vector<std::string>& names,
                                             std::size_t value, const std::string& valueHeading) {
  std::vector<LookupColumn> shown;
  if (value >= names.size()) return shown;
  shown.push_back({value, valueHeading.empty() ? spelledOut(names[value]) : valueHeading});
  for (std::size_t c = 0; c < names.size(); ++c) {
    const std::string n = lowered(names[c]);
    auto heading = describing().find(n);
    // The document's own currency says it better than the base one.
    if (c == value || heading == describing().end() || indexOf(names, "cury" + n) < names.size())
      continue;
    shown.push_back({c, heading->second});
  }
  if (shown.size() > 1) return shown;
  for (std::size_t c = 0; c < names.size(); ++c)
    if (c != value && !isAudit(names[c])) shown.push_back({c, spelledOut(names[c])});
  return shown;
}

}  // namespace corvena::ui
