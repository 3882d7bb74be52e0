#include <gtest/gtest.h>

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
    db_ = Database::create(name_);
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
  std::string name_ = dir_.database("company.db");
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

// What a clerk types is looked up as typed: a '%' ending a pattern is its one
// wildcard, and a backslash, an underscore or a '%' within are plain characters.
TEST_F(DatabaseTest, APatternsOneWildcardIsTheFinalPercent) {
  for (const char* id : {"A\\", "A\\B", "A_B", "AXB", "A%B", "AB", "B"})
    db_->insert("Party", party(id, id));
  const auto found = [&](const std::string& pattern) {
    std::string ids;
    Statement st = db_->run(Call{"Party_Like", "", {pattern}});
    while (st.step()) ids += std::get<std::string>(st.column(0)) + " ";
    return ids;
  };
  EXPECT_EQ(found("A\\"), "A\\ ");
  EXPECT_EQ(found("A_B"), "A_B ");
  EXPECT_EQ(found("A%B"), "A%B ");
  EXPECT_EQ(found("a\\%"), "A\\ A\\B ");
  EXPECT_EQ(found("A%"), "A%B AB AXB A\\ A\\B A_B ");
  EXPECT_EQ(found("%"), "A%B AB AXB A\\ A\\B A_B B ");
  EXPECT_EQ(found("%B"), "");
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
  db_ = Database::open(name_);
  EXPECT_TRUE(db_->hasProcedure("PARTY_BYID"));
  EXPECT_TRUE(db_->run("Party_ById 'P1'").step());
}

// One save at a time: a second clerk's save waits for the first and, past its
// wait, is refused as locked; reading goes on meanwhile and sees only commits.
TEST_F(DatabaseTest, ASaveWaitsForAnotherClerksSaveAndReadsSeeOnlyCommits) {
  auto other = Database::open(name_);
  Transaction first(*other);
  other->insert("Party", party("X", "Uncommitted"));
  db_->setLockWait(0);
  EXPECT_EQ(count(), 0);
  try {
    Transaction tx(*db_);
    FAIL() << "a save began under another clerk's save";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.locked());
    EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
  }
  EXPECT_EQ(db_->lockTimeouts(), 1);
  first.commit();
  EXPECT_EQ(count(), 1);
  Transaction second(*db_);
  second.commit();
}

// The server ends this clerk's connection in the middle of a save: the save fails
// saying so at every level, nothing of it is written, and the next one goes on.
TEST_F(DatabaseTest, ALostConnectionFailsTheSaveWholeAndTheNextGoesOn) {
  if (!testing::onServer()) GTEST_SKIP() << "a file has no connection to lose";
  auto admin = Database::open(name_);
  db_->insert("Party", party("P1", "First"));
  Statement pid = db_->run("SELECT pg_backend_pid()");
  ASSERT_TRUE(pid.step());
  const std::int64_t backend = std::get<std::int64_t>(pid.column(0));
  pid = Statement();
  try {
    Transaction outer(*db_);
    db_->insert("Party", party("P2", "Second"));
    Transaction inner(*db_);
    admin->run("SELECT pg_terminate_backend(" + intLiteral(backend) + ")").step();
    db_->insert("Party", party("P3", "Third"));
    FAIL() << "a statement ran on a connection the server ended";
  } catch (const DbError& e) {
    EXPECT_EQ(e.kind(), DbError::Kind::Lost);
    EXPECT_NE(std::string(e.what()).find("connection to the company database server was lost"),
              std::string::npos)
        << e.what();
  }
  EXPECT_FALSE(db_->inTransaction());
  EXPECT_EQ(count(), 1);
  Transaction next(*db_);
  db_->insert("Party", party("P4", "Fourth"));
  next.commit();
  EXPECT_EQ(count(), 2);
}

TEST_F(DatabaseTest, ViewingWritesNothingAndLeavesNoFilesBehind) {
  db_->insert("Party", party("P1", "First"));
  db_.reset();
  const std::string path = name_;
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
  if (::geteuid() == 0 || testing::onServer()) GTEST_SKIP() << "file permissions do not bind here";
  std::filesystem::permissions(dir_.file(""), std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
  viewed(Database::Access::Edit);
  std::filesystem::permissions(dir_.file(""), std::filesystem::perms::owner_all);
}

TEST_F(DatabaseTest, ColumnsOfTablesAndMissingTables) {
  EXPECT_EQ(db_->columns("party").size(), 5u);
  EXPECT_TRUE(db_->columns("XDetail").empty());
}

TEST(DatabaseFiles, CreateRefusesAnExistingDatabaseAndAnUnwritablePlace) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", kSchema);
  const std::string name = dir.database("existing.db");
  Database::create(name);
  EXPECT_THROW(Database::create(name), DbError);
  EXPECT_NO_THROW(Database::open(name));
  EXPECT_THROW(Database::create("/proc/no/such/dir/company.db"), DbError);
  EXPECT_FALSE(std::filesystem::exists("/proc/no/such/dir/company.db"));
}

// A file or server database without the company marker is refused alike, as is one
// that is not there at all.
TEST(DatabaseFiles, OpenRefusesWhatIsNotACompanyDatabase) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", kSchema);
  const std::string name = dir.database("unmarked.db");
  Database::create(name)->exec("DROP TABLE corvena_meta");
  try {
    Database::open(name);
    FAIL();
  } catch (const DbError& e) {
    EXPECT_EQ(std::string(e.what()), name + " is not a company database.");
  }
  EXPECT_THROW(Database::open(dir.database("missing.db")), DbError);
  dir.write("text.db", "plain text, not a database at all");
  EXPECT_THROW(Database::open(dir.file("text.db")), DbError);
}

// Nothing is left behind: a second create of the same name succeeds.
TEST(DatabaseFiles, BrokenSchemaLeavesNothingBehind) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", "CREATE TABLE ok (a TEXT); CREATE TABLE broken (;");
  const std::string name = dir.database("c.db");
  EXPECT_THROW(Database::create(name), DbError);
  EXPECT_FALSE(std::filesystem::exists(name));
  dir.write("schema.sql", kSchema);
  EXPECT_NO_THROW(Database::create(name));
}

TEST(DatabaseFiles, ProcedureWithBadSqlIsRefusedByName) {
  testing::ScratchDir dir;
  testing::SchemaPath schema(dir.file(""));
  dir.write("schema.sql", kSchema);
  dir.write("procedures.sql", "-- procedure Broken_Proc 1\nSELECT * FROM NoSuchTable WHERE a = ?1;\n");
  const std::string name = dir.database("c.db");
  try {
    Database::create(name);
    FAIL();
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("Broken_Proc"), std::string::npos);
  }
  EXPECT_THROW(Database::open(name), DbError);
}

}  // namespace
}  // namespace corvena::db
