#include "runtime/registry_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace corvena::runtime {

namespace {

constexpr const char* SystemRegistryPath = "/etc/corvena/registry";

bool sameNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string joinKey(std::string_view hive, std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  std::string full(hive);
  if (!key.empty()) full += "\\" + std::string(key);
  return full;
}

std::string toHex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::string> fromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = hexDigit(hex[i]), lo = hexDigit(hex[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

std::string quotedName(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

// Reads a quoted name at the start of s; returns the rest after the closing quote.
std::optional<std::string_view> readQuoted(std::string_view s, std::string& name) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      name += s[++i];
    } else if (s[i] == '"') {
      return s.substr(i + 1);
    } else {
      name += s[i];
    }
  }
  return std::nullopt;
}

struct ParsedValue {
  std::string name;
  RegistryValue value;
};

std::optional<ParsedValue> parseValueLine(std::string_view line) {
  ParsedValue pv;
  auto rest = readQuoted(line, pv.name);
  if (!rest) return std::nullopt;
  auto body = trim(*rest);
  if (body.empty() || body.front() != '=') return std::nullopt;
  body = trim(body.substr(1));
  const auto colon = body.find(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  std::uint32_t type = 0;
  for (char c : body.substr(0, colon)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    type = type * 10 + static_cast<std::uint32_t>(c - '0');
  }
  auto bytes = fromHex(trim(body.substr(colon + 1)));
  if (!bytes) return std::nullopt;
  pv.value = RegistryValue{type, std::move(*bytes)};
  return pv;
}

[[noreturn]] void malformed(int lineNo, std::string_view why) {
  throw RegistryError("registry line " + std::to_string(lineNo) + ": " + std::string(why));
}

}  // namespace

RegistryValue RegistryValue::text(std::string_view s, std::uint32_t type) {
  std::string bytes(s);
  bytes += '\0';
  return RegistryValue{type, std::move(bytes)};
}

RegistryValue RegistryValue::dword(std::int32_t v, std::uint32_t type) {
  const auto u = static_cast<std::uint32_t>(v);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) {
    const int shift = type == regtype::DwordBigEndian ? (3 - i) * 8 : i * 8;
    bytes[i] = static_cast<char>((u >> shift) & 0xff);
  }
  return RegistryValue{type, std::move(bytes)};
}

std::string RegistryStore::defaultPath() {
  const char* env = std::getenv("CORVENA_REGISTRY");
  return env && *env ? env : SystemRegistryPath;
}

RegistryStore RegistryStore::load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (!std::filesystem::exists(path)) return RegistryStore{};
    throw RegistryError("cannot read the registry " + path);
  }
  std::ostringstream content;
  content << in.rdbuf();
  return parse(content.str());
}

RegistryStore RegistryStore::parse(std::string_view content) {
  RegistryStore store;
  std::string section;
  int lineNo = 0;
  std::istringstream lines{std::string(content)};
  for (std::string raw; std::getline(lines, raw);) {
    ++lineNo;
    const auto line = trim(raw);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) malformed(lineNo, "a key needs [HIVE\\path]");
      section = std::string(line.substr(1, line.size() - 2));
      store.addKey(section);
      continue;
    }
    if (section.empty()) malformed(lineNo, "a value before any key");
    auto pv = parseValueLine(line);
    if (!pv) malformed(lineNo, "expected \"name\" = TYPE:HEX");
    const auto slash = section.find('\\');
    const auto hive = std::string_view(section).substr(0, slash);
    const auto key = slash == std::string::npos ? std::string_view{}
                                                : std::string_view(section).substr(slash + 1);
    store.write(hive, key, pv->name, std::move(pv->value));
  }
  return store;
}

void RegistryStore::addKey(std::string_view fullKey) {
  for (const auto& k : keys_)
    if (sameNoCase(k, fullKey)) return;
  keys_.emplace_back(fullKey);
}

bool RegistryStore::hasKey(std::string_view hive, std::string_view key) const {
  const auto full = joinKey(hive, key);
  return std::any_of(keys_.begin(), keys_.end(),
                     [&](const auto& k) { return sameNoCase(k, full); });
}

RegistryStore::Entry* RegistryStore::find(std::string_view fullKey, std::string_view name) {
  for (auto& e : entries_)
    if (sameNoCase(e.key, fullKey) && sameNoCase(e.name, name)) return &e;
  return nullptr;
}

const RegistryStore::Entry* RegistryStore::find(std::string_view fullKey,
                                                std::string_view name) const {
  return const_cast<RegistryStore*>(this)->find(fullKey, name);
}

std::optional<RegistryValue> RegistryStore::read(std::string_view hive, std::string_view key,
                                                 std::string_view name) const {
  const Entry* e = find(joinKey(hive, key), name);
  if (!e) return std::nullopt;
  return e->value;
}

void RegistryStore::write(std::string_view hive, std::string_view key, std::string_view name,
                          RegistryValue value) {
  const auto full = joinKey(hive, key);
  addKey(full);
  if (Entry* e = find(full, name)) {
    e->value = std::move(value);
    return;
  }
  entries_.push_back(Entry{full, std::string(name), std::move(value)});
}

bool RegistryStore::remove(std::string_view hive, std::string_view key, std::string_view name) {
  const auto full = joinKey(hive, key);
  const auto before = entries_.size();
  std::erase_if(entries_, [&](const Entry& e) {
    return sameNoCase(e.key, full) && sameNoCase(e.name, name);
  });
  return entries_.size() != before;
}

std::string RegistryStore::serialize() const {
  std::string out = "# Corvena registry: \"name\" = TYPE:HEX under [HIVE\\key path]\n";
  for (const auto& key : keys_) {
    out += "\n[" + key + "]\n";
    for (const auto& e : entries_) {
      if (!sameNoCase(e.key, key)) continue;
      out += quotedName(e.name) + " = " + std::to_string(e.value.type) + ":" +
             toHex(e.value.bytes) + "\n";
    }
  }
  return out;
}

void RegistryStore::save(const std::string& path) const {
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
  const auto temp = target.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << serialize();
    if (!out.flush()) throw RegistryError("cannot write the registry " + path);
  }
  std::filesystem::rename(temp, target);
}

}  // namespace corvena::runtime
