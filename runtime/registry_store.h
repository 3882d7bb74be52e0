#pragma once
// The system's registry: a small typed store file. Each value lives under a hive,
// a key path and a name, and keeps its registry type and its raw bytes, so readers
// convert exactly as they would on the host's own platform.
//
// File format, one value a line; '#' lines and blank lines are ignored:
//   [HKEY_LOCAL_MACHINE\Software\Corvena\Screen Tools]
//   "ParentDirectory" = 1:2f6f70742f636f7276656e612f00
// The type is decimal, the bytes are hex. Hive, key and name match case-insensitively.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvena::runtime {

class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Registry value types as the host's platform numbers them.
namespace regtype {
inline constexpr std::uint32_t Text = 1;
inline constexpr std::uint32_t ExpandText = 2;
inline constexpr std::uint32_t Bytes = 3;
inline constexpr std::uint32_t DwordLittleEndian = 4;
inline constexpr std::uint32_t DwordBigEndian = 5;
inline constexpr std::uint32_t MultiText = 7;
}  // namespace regtype

inline constexpr std::string_view HiveLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr std::string_view HiveCurrentUser = "HKEY_CURRENT_USER";

struct RegistryValue {
  std::uint32_t type = regtype::Text;
  std::string bytes;  // raw, as stored; text values normally end with a zero byte

  static RegistryValue text(std::string_view s, std::uint32_t type = regtype::Text);
  static RegistryValue dword(std::int32_t v, std::uint32_t type = regtype::DwordLittleEndian);
};

class RegistryStore {
 public:
  // CORVENA_REGISTRY when set, else the system-wide file.
  static std::string defaultPath();
  // A missing file is an empty store; a malformed one throws RegistryError naming the line.
  static RegistryStore load(const std::string& path);
  static RegistryStore parse(std::string_view content);

  bool hasKey(std::string_view hive, std::string_view key) const;
  std::optional<RegistryValue> read(std::string_view hive, std::string_view key,
                                    std::string_view name) const;
  void write(std::string_view hive, std::string_view key, std::string_view name,
             RegistryValue value);
  bool remove(std::string_view hive, std::string_view key, std::string_view name);

  std::string serialize() const;
  // Writes through a temporary file and a rename, so readers never see half a store.
  void save(const std::string& path) const;

 private:
  struct Entry {
    std::string key;  // hive\key path
    std::string name;
    RegistryValue value;
  };
  void addKey(std::string_view fullKey);
  Entry* find(std::string_view fullKey, std::string_view name);
  const Entry* find(std::string_view fullKey, std::string_view name) const;
  std::vector<std::string> keys_;  // in file order, also keys without values
  std::vector<Entry> entries_;
};

}  // namespace corvena::runtime
