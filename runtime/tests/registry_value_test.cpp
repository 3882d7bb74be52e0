#include "runtime/registry_value.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/db/tests/test_database.h"

namespace corvena::runtime {
namespace {

constexpr std::string_view Key = "Software\\Corvena\\Screen Tools";

signon::EnvironmentLookup env(std::map<std::string, std::string> vars) {
  return [vars](const std::string& name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  };
}

std::string text(const RegistryValue& v) {
  return registryValueText(v, env({{"HOME", "/h"}}));
}

// Each test writes its own registry file and points CORVENA_REGISTRY at it.
class ReadRegistryValueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (dir_ / "registry").string();
    ::setenv("CORVENA_REGISTRY", path_.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("CORVENA_REGISTRY"); }
  void store(std::string_view name, RegistryValue v) {
    auto s = RegistryStore::load(path_);
    s.write(HKEY_LOCAL_MACHINE, Key, name, std::move(v));
    s.save(path_);
  }
  std::string read(std::string_view name) {
    return ReadRegistryValue(HKEY_LOCAL_MACHINE, Key, name, "DEFAULT");
  }
  db::testing::ScratchDir scratch_;
  std::filesystem::path dir_ = std::filesystem::path(scratch_.file("")).parent_path();
  std::string path_;
};

TEST(RegistryValueText, TextStoredWithItsZeroGivesTheTextAlone) {
  EXPECT_EQ(text(RegistryValue{regtype::Text, std::string("C:\\Corvena\0", 11)}), "C:\\Corvena");
  EXPECT_EQ(text(RegistryValue{regtype::Text, "no zero"}), "no zero");
}

TEST(RegistryValueText, ExpandableTextExpandsBothReferenceForms) {
  EXPECT_EQ(text(RegistryValue::text("%HOME%/corvena", regtype::ExpandText)), "/h/corvena");
  EXPECT_EQ(text(RegistryValue::text("${HOME}/corvena", regtype::ExpandText)), "/h/corvena");
}

TEST(RegistryValueText, AnUnsetReferenceStaysAsWritten) {
  EXPECT_EQ(text(RegistryValue::text("%NOPE%/${NOPE}/50%", regtype::ExpandText)),
            "%NOPE%/${NOPE}/50%");
}

TEST(RegistryValueText, ExpansionStopsAt2048Characters) {
  const auto e = env({{"BIG", std::string(3000, 'x')}});
  EXPECT_EQ(registryValueText(RegistryValue::text("%BIG%", regtype::ExpandText), e).size(), 2048u);
}

TEST(RegistryValueText, PlainTextIsNotExpanded) {
  EXPECT_EQ(text(RegistryValue::text("%HOME%")), "%HOME%");
}

TEST(RegistryValueText, DwordsAreSignedDecimal) {
  EXPECT_EQ(text(RegistryValue::dword(-1)), "-1");
  EXPECT_EQ(text(RegistryValue{regtype::DwordLittleEndian, std::string("\x01\x02\0\0", 4)}), "513");
  EXPECT_EQ(text(RegistryValue{regtype::DwordBigEndian, std::string("\0\0\x02\x01", 4)}), "513");
  EXPECT_EQ(text(RegistryValue::dword(-2, regtype::DwordBigEndian)), "-2");
}

TEST(RegistryValueText, MultiTextKeepsEverythingBeforeTheZeroPair) {
  const std::string stored("one\0two\0\0", 9);
  EXPECT_EQ(text(RegistryValue{regtype::MultiText, stored}), std::string("one\0two", 7));
}

TEST(RegistryValueText, RawBytesAndUnknownTypesGiveZero) {
  EXPECT_EQ(text(RegistryValue{regtype::Bytes, "\x41\x42"}), "0");
  EXPECT_EQ(text(RegistryValue{11, "abc"}), "0");
}

TEST_F(ReadRegistryValueTest, AMissingValueGivesTheDefault) {
  EXPECT_EQ(read("ParentDirectory"), "DEFAULT");
  store("Other", RegistryValue::text("x"));
  EXPECT_EQ(read("ParentDirectory"), "DEFAULT");
  EXPECT_EQ(ReadRegistryValue(HKEY_CURRENT_USER, Key, "Other", ""), "");
}

TEST_F(ReadRegistryValueTest, AStoredValueIsConverted) {
  store("ParentDirectory", RegistryValue::text("/opt/corvena/"));
  store("Count", RegistryValue::dword(-1));
  EXPECT_EQ(read("ParentDirectory"), "/opt/corvena/");
  EXPECT_EQ(read("parentdirectory"), "/opt/corvena/");
  EXPECT_EQ(read("Count"), "-1");
}

TEST_F(ReadRegistryValueTest, AValueLargerThanTheBufferGivesTheDefault) {
  store("Huge", RegistryValue::text(std::string(2100, 'a')));
  EXPECT_EQ(read("Huge"), "DEFAULT");
}

TEST_F(ReadRegistryValueTest, AMalformedStoreGivesTheDefault) {
  std::ofstream(path_) << "[HKEY_LOCAL_MACHINE\\X]\nnot a value\n";
  EXPECT_EQ(read("ParentDirectory"), "DEFAULT");
}

}  // namespace
}  // namespace corvena::runtime
