// The batch, its source and destinations entered as a clerk types them, and
// what a batch's status leaves open.
#include <cstdlib>

#include "platform/signon/user_directory.h"
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class EntryRules : public TransferTest {
 protected:
  void SetUp() override {
    TransferTest::SetUp();
    source_ = creditMemo("K1", {300});
  }
  void header(const std::string& batch, const std::string& status) {
    rows("insert into XNATranHdr (NATrBatNbr, SrcCustID, PrimaryCustID, SrcRefNbr, SrcDocType,"
         " SrcAmt, Status, CpnyId) values ('" + batch + "', 'K1', 'P1', '" + source_ +
         "', 'CM', 100, '" + status + "', 'CO1')");
  }
  std::string source_;
};

TEST_F(EntryRules, TheSourceShowsItsParentItsDocumentsTypeAndBalance) {
  const std::string out = run(
      "set cSrcCustId X9\nexpect cPrimaryCustID X9\n"
      "set cSrcCustId P1\nexpect cPrimaryCustID P1\n"
      "set cSrcCustId K1\nexpect cPrimaryCustID P1\n"
      "set cSrcRefNbr NOSUCH\n"
      "set cSrcRefNbr " + source_ + "\nexpect cSrcAmt 300.00\n"
      "line Spread1 new\nset cDestCustID X9\nset cDestCustID K2\nexpect cNATrBatNbrD \"\"\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED cSrcRefNbr"), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED cDestCustID"), std::string::npos) << out;
  EXPECT_EQ(out.find("REFUSED cSrcCustId"), std::string::npos) << out;
}

// AR takes no documents for a customer on hold or inactive: refused as it is
// named, and at the release of a batch saved before it was put on hold.
TEST_F(EntryRules, ACustomerARTakesNoDocumentsForIsRefusedWithTheReason) {
  rows("update Customer set Status = 'H' where CustId = 'K3'");
  const std::string typed = run(
      "set cSrcCustId K3\nset cSrcCustId K1\nset cSrcRefNbr " + source_ +
      "\nline Spread1 new\nset cDestCustID K3\n");
  const std::string onHold =
      "MESSAGE National Accounts (48): Customer K3 is on hold: AR takes no documents for it.\n";
  EXPECT_NE(typed.find(onHold + "REFUSED cSrcCustId"), std::string::npos) << typed;
  EXPECT_NE(typed.find(onHold + "REFUSED cDestCustID"), std::string::npos) << typed;
  run("set cSrcCustId K1\nset cSrcRefNbr " + source_ + "\n" + destination(1, "K2", "300"));
  rows("update Customer set Status = 'I' where CustId = 'K2'");
  const std::string released = run("last 0\nset cBatchHandling R\nsave\nexpect cBatchHandling H\n");
  EXPECT_EQ(released.find("FAIL"), std::string::npos) << released;
  EXPECT_NE(released.find("Customer K2 is inactive: AR takes no documents for it.\nREFUSED save"),
            std::string::npos)
      << released;
  EXPECT_EQ(rows("select count(*) from ARDoc where DocType = 'DM'"), Rows{"0"});
}

// Release is refused as it is chosen by a clerk without the right, and before
// anything is entered in AR to one without it on the invoice and memo screen.
TEST_F(EntryRules, ReleaseIsRefusedToAClerkWithoutTheRightHereOrInAR) {
  auto db = db::Database::open(path_);
  signon::UserDirectory users(*db);
  users.addUser("CLERK1", "Clerk", "pass one", false);
  users.grant("CLERK1", "QM18900", "VIUD");
  users.grant("CLERK1", "0801000", "VIU");
  dir_.write("password", "pass one");
  passwordFile_ = dir_.file("password");
  const std::string out = run("set cBatchHandling R\nexpect cBatchHandling H\n");
  users.grant("CLERK1", "QM18900", "VIUDR");
  const std::string released = run(batch("K1", source_, destination(1, "K2", "300")) +
                                   "set cBatchHandling R\nsave\nexpect cStatus O\n");
  ::unsetenv("CORVENA_PASSWORD");
  ::unsetenv("CORVENA_TICKET");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED cBatchHandling"), std::string::npos) << out;
  EXPECT_NE(out.find("no rights to release batches"), std::string::npos) << out;
  EXPECT_EQ(released.find("FAIL"), std::string::npos) << released;
  EXPECT_NE(released.find("You have no rights to release batches on 0801000"), std::string::npos)
      << released;
  EXPECT_EQ(rows("select count(*) from ARDoc"), Rows{"1"});
}

TEST_F(EntryRules, ARecalledBatchHoldsWhileOpenAndIsReadOnlyWhenClosed) {
  header("0000000007", "O");
  header("0000000008", "P");
  header("0000000009", "C");
  const std::string out = run(
      "set cNATrBatNbr 0000000007\nexpect cBatchHandling H\nexpect cStatus O\n"
      "set cNATrBatNbr 0000000008\nexpect cBatchHandling N\n"
      "property cSrcCustId Enabled\nproperty cBatchHandling Enabled\n"
      "set cNATrBatNbr 0000000009\nexpect cBatchHandling N\n"
      "property cSrcRefNbr Enabled\nproperty cBatchHandling Enabled\nproperty cDestAmt Enabled\n"
      "property cNATrBatNbr Enabled\ndelete 0\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY cSrcCustId Enabled: False\nPROPERTY cBatchHandling Enabled: True"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("PROPERTY cSrcRefNbr Enabled: False\nPROPERTY cBatchHandling Enabled: False\n"
                     "PROPERTY cDestAmt Enabled: False\nPROPERTY cNATrBatNbr Enabled: True"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("REFUSED delete"), std::string::npos) << out;
  EXPECT_EQ(rows("select count(*) from XNATranHdr"), Rows{"3"});
}

TEST_F(EntryRules, DeletingAClosedBatchIsRefusedAndAnOpenOneGoesWithEveryDestinationsLines) {
  header("0000000009", "O");
  run("set cNATrBatNbr 0000000009\n" + destination(1, "K2", "200") + destination(2, "K3", "100"));
  ASSERT_EQ(rows("select count(*) from XNATranDLn"), Rows{"2"});
  rows("update XNATranHdr set Status = 'C'");
  const std::string closed = run("set cNATrBatNbr 0000000009\ndelete 0\n");
  EXPECT_NE(closed.find("REFUSED delete"), std::string::npos) << closed;
  EXPECT_EQ(rows("select count(*) from XNATranDet"), Rows{"2"});
  rows("update XNATranHdr set Status = 'O'");
  const std::string open = run("set cNATrBatNbr 0000000009\ndelete 0\n");
  EXPECT_EQ(open.find("REFUSED"), std::string::npos) << open;
  EXPECT_EQ(rows("select (select count(*) from XNATranHdr) + (select count(*) from XNATranDet)"
                 " + (select count(*) from XNATranDLn)"),
            Rows{"0"});
}

}  // namespace
}  // namespace corvena::transfer::testing
