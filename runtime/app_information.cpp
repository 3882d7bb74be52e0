#include "runtime/app_information.h"

#include "platform/forms/runtime_error.h"

namespace corvena::runtime {

namespace {
constexpr int ErrNoSuchProperty = 438;
}

std::string AppInformation::property(std::string_view name) const {
  const auto it = properties_.find(name);
  if (it == properties_.end())
    throw forms::RuntimeError(ErrNoSuchProperty,
                              "Object doesn't support this property: " + std::string(name));
  return it->second;
}

void AppInformation::setProperty(std::string_view name, std::string value) {
  properties_[std::string(name)] = std::move(value);
}

AppInformation& App() {
  static AppInformation app;
  return app;
}

}  // namespace corvena::runtime
