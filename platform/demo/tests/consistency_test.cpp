#include "platform/demo/consistency.h"

#include <gtest/gtest.h>

#include "platform/db/tests/test_database.h"

namespace corvena::demo {
namespace {

class Consistency : public ::testing::Test {
 protected:
  void SetUp() override {
    db->exec(
        "INSERT INTO Customer (CustId) VALUES ('P1'), ('K1'), ('P2');"
        "INSERT INTO XNACustP (PrimaryCustId) VALUES ('P1'), ('P2');"
        "INSERT INTO XNACustS (PrimaryCustId, SecondaryCustid) VALUES ('P1', 'K1');"
        "INSERT INTO ARDoc (CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt, DocBal, "
        "CuryDocBal, Rlsed, OpenDoc) VALUES ('K1', 'IN', '1', 100, 100, 40, 40, 1, 1)");
  }
  db::testing::ScratchDir dir;
  std::unique_ptr<db::Database> db = db::Database::create(dir.file("company.db"));
};

TEST_F(Consistency, ACleanCompanyHasNoProblems) {
  EXPECT_EQ(consistencyProblems(*db), std::vector<std::string>{});
}

TEST_F(Consistency, BalanceAboveItsAmountOrBelowZero) {
  db->exec("UPDATE ARDoc SET CuryDocBal = 100.02");
  EXPECT_EQ(consistencyProblems(*db),
            std::vector<std::string>{"balance outside its amount: K1 IN 1"});
  db->exec("UPDATE ARDoc SET CuryDocBal = -1, DocBal = -1, OpenDoc = 0");
  EXPECT_EQ(consistencyProblems(*db).front(), "balance outside its amount: K1 IN 1");
}

TEST_F(Consistency, OpenFlagDisagreeingWithTheBalance) {
  db->exec("UPDATE ARDoc SET OpenDoc = 0");
  EXPECT_EQ(consistencyProblems(*db),
            std::vector<std::string>{
                "released document open without a balance or closed with one: K1 IN 1"});
}

TEST_F(Consistency, ChildUnderTwoParentsAndParentAsChild) {
  // Rows written around the schema's own guard, as an older database might hold them.
  db->exec(
      "DROP INDEX XNACustS_Child; DROP TRIGGER XNACustS_ChildNotParent;"
      "INSERT INTO XNACustS (PrimaryCustId, SecondaryCustid) VALUES ('P2', 'K1'), ('P1', 'P2')");
  const auto problems = consistencyProblems(*db);
  EXPECT_NE(std::find(problems.begin(), problems.end(), "child of more than one parent: K1"),
            problems.end());
  EXPECT_NE(std::find(problems.begin(), problems.end(), "parent is a child: P2"), problems.end());
}

TEST_F(Consistency, LinkToACustomerNotOnFile) {
  db->exec("INSERT INTO XNACustS (PrimaryCustId, SecondaryCustid) VALUES ('P1', 'GONE')");
  EXPECT_EQ(consistencyProblems(*db),
            std::vector<std::string>{"linked customer not on file: GONE"});
}

}  // namespace
}  // namespace corvena::demo
