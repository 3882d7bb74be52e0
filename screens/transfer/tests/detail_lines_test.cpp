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

// A new line takes the source's own line account; the credit memo's AR account
// is refused. Project and task open by the account of the line shown, and a
// project is required only on the lines of a project account.
TEST_F(DetailLines, ProjectAndTaskFollowEachLinesAccount) {
  const std::string out =
      run(source_ +
          "line Spread1 new\nset cDestCustID K2\nset cDestAmt 300\nclick cmdDetailLines\n"
          "line Spread2 new\nexpect cAcct_2 4000\nproperty cProjectID_2 Enabled\nset cAcct_2 1200\n"
          "set cTranAmt_2 100\n"
          "line Spread2 new\nset cAcct_2 7000\nproperty cProjectID_2 Enabled\n"
          "property cTaskID_2 Enabled\nset cProjectID_2 store-refit\nproperty cTaskID_2 Enabled\n"
          "expect cSub_2 01\nset cTaskID_2 DESIGN\nset cTranAmt_2 150\n"
          "line Spread2 new\nset cAcct_2 7000\nset cProjectID_2 STORE-REFIT\nset cAcct_2 4100\n"
          "property cProjectID_2 Enabled\nexpect cProjectID_2 \"\"\nset cAcct_2 7000\n"
          "set cTranAmt_2 50\nsave\n"
          "set cProjectID_2 STORE-REFIT\nset cTaskID_2 INSTALL\nline Spread2 1\n"
          "property cProjectID_2 Enabled\nclick cmdOK\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY cProjectID_2 Enabled: False\n"
                     "MESSAGE National Accounts (48): 1200 is the AR account of the credit memo; "
                     "its lines post to another account.\nREFUSED cAcct_2\n"
                     "PROPERTY cProjectID_2 Enabled: True\nPROPERTY cTaskID_2 Enabled: False\n"
                     "PROPERTY cTaskID_2 Enabled: True\nPROPERTY cProjectID_2 Enabled: False\n"
                     "MESSAGE Message (48): A value is required in Project.\nREFUSED save\n"
                     "PROPERTY cProjectID_2 Enabled: False\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(rows("select LineNbr, Acct, Sub, ProjectID, TaskID, printf('%.2f', TranAmt)"
                 " from XNATranDLn order by LineNbr"),
            (Rows{"1|4000|00|||100.00", "2|7000|01|STORE-REFIT|DESIGN|150.00",
                  "3|7000|01|STORE-REFIT|INSTALL|50.00"}));
}

// A saved line changed, and a new one left on its default account, need no
// project: neither account is a project account.
TEST_F(DetailLines, ARecalledLineChangedAndANewLineOnItsDefaultAreSaved) {
  run(source_ + destination(1, "K2", "300"));
  const std::string out =
      run("last 0\nline Spread1 1\nclick cmdDetailLines\nproperty cProjectID_2 Enabled\n"
          "line Spread2 1\nset cTranAmt_2 250\nline Spread2 new\nset cTranAmt_2 50\nclick cmdOK\n");
  EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
  EXPECT_EQ(out.find("REFUSED"), std::string::npos) << out;
  EXPECT_NE(out.find("PROPERTY cProjectID_2 Enabled: False"), std::string::npos) << out;
  EXPECT_EQ(rows("select LineNbr, Acct, printf('%.2f', TranAmt) from XNATranDLn order by LineNbr"),
            (Rows{"1|4000|250.00", "2|4000|50.00"}));
}

}  // namespace
}  // namespace corvena::transfer::testing
