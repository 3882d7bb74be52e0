// Saving a batch: its three levels in one transaction with audit stamps, and
// the line check a release needs first.
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class Save : public SourcedTransferTest {};

// The refused save writes nothing and leaves Hold chosen, so the next save stores the batch.
TEST_F(Save, ReleasingWithADestinationWithoutLinesIsRefusedAndTurnsToHold) {
  const std::string out = run(
      source_ + "line Spread1 new\nset cDestCustID K2\nset cDestAmt 10\n"
      "set cBatchHandling R\nsave\nexpect cBatchHandling H\n");
  EXPECT_NE(out.find("MESSAGE National Accounts (0): Must enter a transaction line for each "
                     "detail customer.\nREFUSED save"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select count(*) from XNATranHdr"), Rows{"0"});
  const std::string held = run(
      source_ + "line Spread1 new\nset cDestCustID K2\nset cDestAmt 10\nsave\n");
  EXPECT_EQ(held.find("REFUSED"), std::string::npos) << held;
  EXPECT_EQ(rows("select h.Status, h.PrimaryCustID, h.Crtd_User,"
                 " case when h.Crtd_Date = h.LUpd_Date then 1 else 0 end"
                 " from XNATranHdr h join XNATranDet d on d.NATrBatNbr = h.NATrBatNbr"),
            Rows{"O|P1|CLERK1|1"});
}

TEST_F(Save, OneDestinationWithoutLinesAmongOthersStopsTheRelease) {
  const std::string out =
      run(source_ + destination(1, "K3", "20") +
          "line Spread1 new\nset cDestCustID K2\nset cDestAmt 10\nset cBatchHandling R\nsave\n");
  EXPECT_NE(out.find("Must enter a transaction line for each detail customer.\nREFUSED save"),
            std::string::npos)
      << out;
  EXPECT_EQ(rows("select Status from XNATranHdr"), Rows{"O"});
}

TEST_F(Save, ASavedBatchSavedAgainKeepsItsCreationStamp) {
  run(source_ + destination(1, "K2", "20"));
  rows("update XNATranDet set Crtd_Date = '2026-01-05', Crtd_Prog = 'OLD'");
  const std::string out = run("last 0\nline Spread1 1\nset cDestAmt 30\nsave\n");
  EXPECT_EQ(out.find("REFUSED"), std::string::npos) << out;
  EXPECT_EQ(rows("select Crtd_Date, Crtd_Prog, LUpd_Date, printf('%.2f', DestAmt) from XNATranDet"),
            Rows{"2026-01-05|OLD|2026-03-02|30.00"});
}

}  // namespace
}  // namespace corvena::transfer::testing
