#include "runtime/registry_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/db/tests/test_database.h"

namespace corvena::runtime {
namespace {

constexpr std::string_view Key = "Software\\Corvena\\Screen Tools";

TEST(RegistryStore, ValuesRoundTripThroughTheFile) {
  const db::testing::ScratchDir dir;
  const auto path = dir.file("made/registry");  // save makes the directory
  RegistryStore store;
  store.write(HiveLocalMachine, Key, "ParentDirectory", RegistryValue::text("/opt/corvena"));
  store.write(HiveLocalMachine, Key, "Flags", RegistryValue::dword(-1));
  store.write(HiveCurrentUser, "Software\\Corvena", "Quote \"me\"", RegistryValue{3, "\x01\x02"});
  store.save(path);

  const auto back = RegistryStore::load(path);
  const auto dirValue = back.read(HiveLocalMachine, Key, "ParentDirectory");
  ASSERT_TRUE(dirValue);
  EXPECT_EQ(dirValue->type, regtype::Text);
  EXPECT_EQ(dirValue->bytes, std::string("/opt/corvena\0", 13));
  EXPECT_EQ(back.read(HiveLocalMachine, Key, "Flags")->bytes, std::string(4, '\xff'));
  EXPECT_EQ(back.read(HiveCurrentUser, "Software\\Corvena", "Quote \"me\"")->bytes, "\x01\x02");
}

TEST(RegistryStore, MatchesHiveKeyAndNameIgnoringCase) {
  RegistryStore store;
  store.write(HiveLocalMachine, Key, "ParentDirectory", RegistryValue::text("x"));
  EXPECT_TRUE(
      store.read("hkey_local_machine", "SOFTWARE\\corvena\\screen tools", "parentdirectory"));
  EXPECT_TRUE(store.hasKey(HiveLocalMachine, "software\\corvena\\screen tools\\"));
  EXPECT_FALSE(store.read(HiveCurrentUser, Key, "ParentDirectory"));
  EXPECT_FALSE(store.read(HiveLocalMachine, Key, "Other"));
}

TEST(RegistryStore, ParsesTheHandWrittenForm) {
  const auto store = RegistryStore::parse(
      "# comment\n\n[HKEY_LOCAL_MACHINE\\Software\\Corvena]\n"
      "  \"Big\" = 5:00000102\n[HKEY_LOCAL_MACHINE\\Software\\Empty]\n");
  EXPECT_EQ(store.read(HiveLocalMachine, "Software\\Corvena", "Big")->type,
            regtype::DwordBigEndian);
  EXPECT_EQ(store.read(HiveLocalMachine, "Software\\Corvena", "Big")->bytes,
            std::string("\0\0\1\2", 4));
  EXPECT_TRUE(store.hasKey(HiveLocalMachine, "Software\\Empty"));
}

TEST(RegistryStore, NamesTheLineOfAMalformedEntry) {
  try {
    RegistryStore::parse("[HKEY_LOCAL_MACHINE\\A]\n\"x\" = 1:abc\n");
    FAIL() << "odd hex accepted";
  } catch (const RegistryError& e) {
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
  }
  EXPECT_THROW(RegistryStore::parse("\"x\" = 1:00\n"), RegistryError);
  EXPECT_THROW(RegistryStore::parse("[HKEY_LOCAL_MACHINE\\A]\nx = 1:00\n"), RegistryError);
}

TEST(RegistryStore, AMissingFileIsAnEmptyStore) {
  const auto store = RegistryStore::load("/nonexistent/corvena/registry");
  EXPECT_FALSE(store.read(HiveLocalMachine, Key, "ParentDirectory"));
}

TEST(RegistryStore, EnvironmentOverridesTheSystemPath) {
  ::setenv("CORVENA_REGISTRY", "/tmp/elsewhere", 1);
  EXPECT_EQ(RegistryStore::defaultPath(), "/tmp/elsewhere");
  ::unsetenv("CORVENA_REGISTRY");
  EXPECT_EQ(RegistryStore::defaultPath(), "/etc/corvena/registry");
}

TEST(RegistryStore, RemoveDropsOnlyThatValue) {
  RegistryStore store;
  store.write(HiveLocalMachine, Key, "A", RegistryValue::text("1"));
  store.write(HiveLocalMachine, Key, "B", RegistryValue::text("2"));
  EXPECT_TRUE(store.remove(HiveLocalMachine, Key, "a"));
  EXPECT_FALSE(store.remove(HiveLocalMachine, Key, "a"));
  EXPECT_FALSE(store.read(HiveLocalMachine, Key, "A"));
  EXPECT_TRUE(store.read(HiveLocalMachine, Key, "B"));
}

}  // namespace
}  // namespace corvena::runtime
