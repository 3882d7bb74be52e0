#include "runtime/registry_value.h"

#include <cstdint>

namespace corvena::runtime {

namespace {

std::string_view untilZero(std::string_view bytes) {
  return bytes.substr(0, bytes.find('\0'));
}

std::string dwordText(std::string_view bytes, bool bigEndian) {
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    const auto byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
    u |= static_cast<std::uint32_t>(byte) << (bigEndian ? (3 - i) * 8 : i * 8);
  }
  return std::to_string(static_cast<std::int32_t>(u));
}

std::string_view beforeZeroPair(std::string_view bytes) {
  const auto pair = bytes.find(std::string_view("\0\0", 2));
  return pair == std::string_view::npos ? bytes : bytes.substr(0, pair);
}

// A reference starting at text[i]: its variable name and its length, or length 0.
std::pair<std::string, std::size_t> referenceAt(std::string_view text, std::size_t i) {
  if (text[i] == '%') {
    const auto close = text.find('%', i + 1);
    if (close != std::string_view::npos && close > i + 1)
      return {std::string(text.substr(i + 1, close - i - 1)), close - i + 1};
  } else if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '{') {
    const auto close = text.find('}', i + 2);
    if (close != std::string_view::npos && close > i + 2)
      return {std::string(text.substr(i + 2, close - i - 2)), close - i + 1};
  }
  return {{}, 0};
}

}  // namespace

std::string expandEnvironmentText(std::string_view text, const signon::EnvironmentLookup& env,
                                  std::size_t limit) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && out.size() < limit;) {
    const auto [name, length] = referenceAt(text, i);
    const auto value = length ? env(name) : std::nullopt;
    if (value) {
      out += *value;
      i += length;
    } else {
      const auto keep = length ? length : 1;
      out += text.substr(i, keep);
      i += keep;
    }
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

std::string registryValueText(const RegistryValue& value,
                              const signon::EnvironmentLookup& env) {
  const std::string_view bytes = value.bytes;
  switch (value.type) {
    case regtype::Text:
      return std::string(untilZero(bytes));
    case regtype::ExpandText:
      return expandEnvironmentText(untilZero(bytes), env);
    case regtype::DwordLittleEndian:
      return dwordText(bytes, false);
    case regtype::DwordBigEndian:
      return dwordText(bytes, true);
    case regtype::MultiText:
      return std::string(beforeZeroPair(bytes));
    default:
      return "0";
  }
}

std::string ReadRegistryValue(std::string_view hive, std::string_view keyPath,
                              std::string_view valueName, std::string_view defaultText) {
  try {
    const auto store = RegistryStore::load(RegistryStore::defaultPath());
    const auto value = store.read(hive, keyPath, valueName);
    if (!value || value->bytes.size() > RegistryBufferSize) return std::string(defaultText);
    return registryValueText(*value, signon::processEnvironment());
  } catch (const std::exception&) {
    return std::string(defaultText);
  }
}

}  // namespace corvena::runtime
