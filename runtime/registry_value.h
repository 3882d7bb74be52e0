#pragma once
// Reading one value of the registry as start-up does: any failure gives the
// caller's default, and each registry type converts to text by its own rule.

#include <string>
#include <string_view>

#include "runtime/registry_store.h"
#include "platform/signon/sign_on_context.h"

namespace corvena::runtime {

inline constexpr std::string_view HKEY_LOCAL_MACHINE = HiveLocalMachine;
inline constexpr std::string_view HKEY_CURRENT_USER = HiveCurrentUser;

// The value's read buffer and the expanded text are both limited to this many characters.
inline constexpr std::size_t RegistryBufferSize = 2048;

std::string ReadRegistryValue(std::string_view hive, std::string_view keyPath,
                              std::string_view valueName, std::string_view defaultText);

// The text a stored value reads as: type 1 without its terminating zero, type 2
// expanded, types 4 and 5 as signed decimal, type 7 up to its closing zero pair,
// any other type "0".
std::string registryValueText(const RegistryValue& value,
                              const signon::EnvironmentLookup& env);

// Replaces %NAME% and ${NAME} by the variable's value; a reference to an unset
// variable stays as written. The result is cut to `limit` characters.
std::string expandEnvironmentText(std::string_view text, const signon::EnvironmentLookup& env,
                                  std::size_t limit = RegistryBufferSize);

}  // namespace corvena::runtime
