#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>

#include "platform/db/database.h"
#include "platform/db/tests/test_database.h"

namespace corvena::db {
namespace {

#define PARTY_FIELDS(F) \
  F(TEXT, PartyId, 10)  \
  F(TEXT, Name, 30)     \
  F(DATE, Since, 4)     \
  F(FLOAT, Balance, 8)  \
  F(INT16, Active, 2)
CORVENA_RECORD(Party, PARTY_FIELDS)
CORVENA_RECORD_LAYOUT(Party, PARTY_FIELDS)

const char* kSchema = R"(
CREATE TABLE Party (PartyId TEXT NOT NULL COLLATE RTRIM PRIMARY KEY, Name TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Since TEXT NOT NULL DEFAULT '1900-01-01', Balance REAL NOT NULL DEFAULT 0, Active INTEGER NOT NULL DEFAULT 0);
)";

const char* kProcedures = R"(
-- procedure Party_ById 1
SELECT * FROM Party WHERE PartyId = ?1;
-- procedure Party_Rename 2
UPDATE Party SET Name = ?2 WHERE PartyId = ?1;
SELECT * FROM Party WHERE PartyId = ?1;
-- procedure Party_Like 1
SELECT * FROM Party WHERE PartyId LIKE ?1 ORDER BY PartyId;
)";

class DatabaseTest : public ::testing::Test {
 protected:
  DatabaseTest() : schema_(dir_.file("")) {
    dir_.write("schema.sql", kSchema);
    dir_.write("procedures.sql", kProcedures);
    db_ = Database::create(dir_.file("company.db"));
  }
  Party party(const std::string& id, const std::string& name) {
    Party p;
    p.PartyId = id;
    p.Name = name;
    p.Since = Date{2024, 2, 29};
    p.Balance = 12.5;
    p.Active = 1;
    return p;
  }
  std::int64_t count() {
    Statement st = db_->run("SELECT COUNT(*) FROM Party");
    st.step();
    return std::get<std::int64_t>(st.column(0));
  }
  testing::ScratchDir dir_;
  testing::SchemaPath schema_;
  std::unique_ptr<Database> db_;
};

TEST_F(DatabaseTest, RecordRoundTripThroughInsertAndProcedure) {
  Party in = party("P1", "First");
  db_->insert("Party", in);
  Party out;
  Statement st = db_->run("Party_ById " + textLiteral("P1"));
  ASSERT_TRUE(st.step());
  st.readInto(out);
  EXPECT_EQ(out.PartyId, "P1");
  EXPECT_EQ(std::string(out.Name.view()), "First" + std::string(25, ' '));
  EXPECT_EQ(out.Since, (Date{2024, 2, 29}));
  EXPECT_DOUBLE_EQ(out.Balance, 12.5);
  EXPECT_EQ(out.Active, 1);
}

TEST_F(DatabaseTest, TrailingBlanksCompareEqualAndAreNotStored) {
  db_->insert("Party", party("P1", "First"));
  Statement st = db_->run("SELECT length(PartyId), PartyId = 'P1     ' FROM Party");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(std::get<std::int64_t>(st.column(0)), 2);
  EXPECT_EQ(std::get<std::int64_t>(st.column(1)), 1);
  EXPECT_THROW(db_->insert("Party", party("P1   ", "Again")), DbError);
}

TEST_F(DatabaseTest, InjectedQuoteFindsNothingAndChangesNothing) {
  db_->insert("Party", party("P1", "First"));
  EXPECT_FALSE(db_->run("Party_ById " + textLiteral("x' or '1'='1")).step());
  db_->run("Party_Rename " + textLiteral("x'; DELETE FROM Party; --") + textLiteral("y")).step();
  EXPECT_EQ(count(), 1);
  EXPECT_FALSE(db_->run("SELECT * FROM Party WHERE Name = " + textLiteral("x' or '1'='1")).step());
}

TEST_F(DatabaseTest, MultiStatementProcedureReturnsItsLastSelect) {
  db_->insert("Party", party("P1", "First"));
  Statement st = db_->run("party_rename " + textLiteral("P1") + ", " + textLiteral("Renamed"));
  ASSERT_TRUE(st.step());
  Party out;
  st.readInto(out);
  EXPECT_EQ(out.Name, "Renamed");
}

TEST_F(DatabaseTest, UnknownProcedureAndWrongParameterCountAreNamed) {
  try {
    db_->run("No_Such_Proc 'a'");
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("No_Such_Proc"), std::string::npos);
  }
  try {
    db_->run("Party_ById 'a', 'b'");
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("Party_ById"), std::string::npos);
  }
}

TEST_F(DatabaseTest, CursorStatementsCanBeNestedOnTheSameProcedure) {
  db_->insert("Party", party("P1", "First"));
  db_->insert("Party", party("P2", "Second"));
  Statement outer = db_->run("Party_Like '%'");
  int rows = 0;
  while (outer.step()) {
    Statement inner = db_->run("Party_Like '%'");
    ASSERT_TRUE(inner.step());
    ++rows;
  }
  EXPECT_EQ(rows, 2);
}

TEST_F(DatabaseTest, NestedTransactionRollsBackOnlyItsPart) {
  {
    Transaction outer(*db_);
    db_->insert("Party", party("P1", "First"));
    {
      Transaction inner(*db_);
      db_->insert("Party", party("P2", "Second"));
    }
    outer.commit();
  }
  EXPECT_EQ(count(), 1);
  {
    Transaction tx(*db_);
    db_->insert("Party", party("P3", "Third"));
  }
  EXPECT_EQ(count(), 1);
}

TEST_F(DatabaseTest, ReopenKeepsDataAndProcedures) {
  db_->insert("Party", party("P1", "First"));
  db_.reset();
  db_ = Database::open(dir_.file("company.db"));
  EXPECT_TRUE(db_->hasProcedure("PARTY_BYID"));
  EXPECT_TRUE(db_->run("Party_ById 'P1'").step());
}

TEST_F(DatabaseTest, OpeningWritesNothingSoAnotherWritersLockDoesNotStopIt) {
  db_.reset();
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(dir_.file("company.db").c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO Party (PartyId) VALUES ('X')",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  db_ = Database::open(dir_.file("company.db"));
  db_->setLockWait(0);
  EXPECT_EQ(count(), 0);
  try {
    Transaction tx(*db_);
    FAIL() << "a transaction began under another writer's lock";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.locked());
    EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
  }
  EXPECT_EQ(db_->lockTimeouts(), 1);
  sqlite3_close(other);
}

TEST_F(DatabaseTest, ViewingWritesNothingAndLeavesNoFilesBehind) {
  db_->insert("Party", party("P1", "First"));
  db_.reset();
  const std::string path = dir_.file("company.db");
  const auto viewed = [&](Database::Access access) {
    db_ = Database::open(path, access);
    EXPECT_TRUE(db_->viewOnly());
    EXPECT_EQ(count(), 1);
    EXPECT_THROW(db_->begin(), DbError);
    db_.reset();
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    EXPECT_FALSE(std::filesystem::exists(path + "-shm"));
  };
  viewed(Database::Access::View);
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  std::filesystem::permissions(dir_.file(""), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
  viewed(Database::Access::Edit);
  std::filesystem::permissions(dir_.file(""), std::filesystem::perms::owner_all);
}

TEST_F(DatabaseTest, ColumnsOfTablesAndMissingTables) {
  EXPECT_EQ(db_->columns("party").size(), 5u);
  EXPECT_TRUE(db_->columns("XDetail").empty());
}

TEST(DatabaseFiles, CreateRefusesExistingPathAndUnwritableDirectory) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", kSchema);
  dir.write("existing.db", "not a database");
  EXPECT_THROW(Database::create(dir.file("existing.db")), DbError);
  EXPECT_THROW(Database::create("/proc/no/such/dir/company.db"), DbError);
  EXPECT_FALSE(std::filesystem::exists("/proc/no/such/dir/company.db"));
}

TEST(DatabaseFiles, OpenRefusesAFileThatIsNotACompanyDatabase) {
  testing::ScratchDir dir;
  dir.write("text.db", "plain text, not a database at all");
  EXPECT_THROW(Database::open(dir.file("text.db")), DbError);
  EXPECT_THROW(Database::open(dir.file("missing.db")), DbError);
}

TEST(DatabaseFiles, BrokenSchemaLeavesNothingBehind) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", "CREATE TABLE ok (a TEXT); CREATE TABLE broken (;");
  EXPECT_THROW(Database::create(dir.file("c.db")), DbError);
  EXPECT_FALSE(std::filesystem::exists(dir.file("c.db")));
}

TEST(DatabaseFiles, ProcedureWithBadSqlIsRefusedByName) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", kSchema);
  dir.write("procedures.sql", "-- procedure Broken_Proc 1\nSELECT * FROM NoSuchTable WHERE a = ?1;\n");
  try {
    Database::create(dir.file("c.db"));
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("Broken_Proc"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("c.db")));
}

}  // namespace
}  // namespace corvena::db
