// The detail-lines form of a destination, worked through the screen script as
// a clerk works it: its arithmetic, its running total, and project accounts.
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class DetailLines : public SourcedTransferTest {};

TEST_F(DetailLines, AmountsFollowQuantityAndPriceAndTheLineTotalMovesWithThem) {
  const std::string out = run(
      source_ + "line Spread1 new\nset cDestCustID K2\nset cDestAmt 50\n"
      "click cmdDetailLines\nexpect cEnteredTotal 50.00\n"
      "line Spread2 new\nset cAcct_2 4000\nset cQty_2 3\nset cUnitPrice_2 2.5\n"
      "expect cTranAmt_2 7.50\nexpect cDetTotal 7.50\n"
      "set cTranAmt_2 9\nexpect cUnitPrice_2 3.00\nexpect cDetTotal 9.00\n"
      "line Spread2 new\nset cAcct_2 4000\nset cTranAmt_2 4\nexpect cUnitPrice_2 0.00\n"
      "expect cDetTotal 13.00\nexpect cTranDesc_2 \"Child Two\"\nexpect cSub_2 00\n"
      "click cmdOK\nsave\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select DetCustID, LineNbr, printf('%.2f|%.2f|%.2f', qty, UnitPrice, TranAmt)"
                 " from XNATranDLn order by LineNbr"),
            (Rows{"K2|1|3.00|3.00|9.00", "K2|2|0.00|0.00|4.00"}));
}

// Lines typed for one destination are saved before another destination's are shown.
TEST_F(DetailLines, EachDestinationKeepsItsOwnLinesAndCancelDropsUnsavedOnes) {
  const std::string out = run(
      source_ + destination(1, "K2", "200") + destination(2, "K3", "100") +
      "line Spread1 1\nclick cmdDetailLines\nline Spread2 new\nset cAcct_2 4000\n"
      "set cTranAmt_2 5\nclick cmdCancel\n"
      "line Spread1 1\nclick cmdDetailLines\nexpect cDetTotal 200.00\nclick cmdOK\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select DetCustID, printf('%.2f', TranAmt), NATrBatNbr <> '' from XNATranDLn"
                 " order by DetCustID"),
            (Rows{"K2|200.00|1", "K3|100.00|1"}));
}

TEST_F(DetailLines, ProjectAndTaskOpenOnlyForAProjectAccountAndAProject) {
  rows("insert into PJ_Account (gl_acct, acct) values ('4000', 'REVENUE')");
  rows("insert into PJProj (project, status_pa, gl_subacct) values ('REFIT', 'A', '00')");
  rows("insert into Account (Acct, Active) values ('4100', 1)");
  const std::string out = run(
      source_ + "line Spread1 new\nset cDestCustID K2\nclick cmdDetailLines\n"
      "line Spread2 new\nset cAcct_2 4000\nproperty cProjectID_2 Enabled\n"
      "property cTaskID_2 Enabled\nset cProjectID_2 REFIT\nproperty cTaskID_2 Enabled\n"
      "set cAcct_2 4100\nproperty cProjectID_2 Enabled\nexpect cProjectID_2 \"\"\n"
      "click cmdCancel\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY cProjectID_2 Enabled: True\nPROPERTY cTaskID_2 Enabled: False\n"
                     "PROPERTY cTaskID_2 Enabled: True\nPROPERTY cProjectID_2 Enabled: False"),
            std::string::npos)
      << out;
}

}  // namespace
}  // namespace corvena::transfer::testing
