#pragma once
// The runtime's application-information object: the help file name the host's
// help opens, and the properties a generation of the runtime offers by name.

#include <map>
#include <string>
#include <string_view>

namespace corvena::runtime {

class AppInformation {
 public:
  std::string HelpFile;
  // A property by name; throws forms::RuntimeError (438) when this runtime has none.
  std::string property(std::string_view name) const;
  void setProperty(std::string_view name, std::string value);
  void clearProperties() { properties_.clear(); }

 private:
  std::map<std::string, std::string, std::less<>> properties_;
};

AppInformation& App();

}  // namespace corvena::runtime
