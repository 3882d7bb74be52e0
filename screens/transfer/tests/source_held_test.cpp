// A source credit is moved once: what another transfer holds of it, open or
// released, is not offered again, and a save taking more than is left is refused.
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class SourceHeld : public SourcedTransferTest {
 protected:
  // Another clerk's open batch holding `amount` of the source.
  void heldBy(const std::string& batch, const std::string& amount) {
    rows("insert into XNATranHdr (NATrBatNbr, SrcCustID, PrimaryCustID, SrcRefNbr, SrcDocType,"
         " SrcAmt, Status, CpnyId) select '" + batch + "', 'K1', 'P1', RefNbr, 'CM', " + amount +
         ", 'O', 'CO1' from ARDoc where CustId = 'K1' and DocType = 'CM'");
  }
};

TEST_F(SourceHeld, OnlyWhatOtherTransfersLeaveIsOfferedAndAReleasedOneKeepsItsPart) {
  heldBy("0000000050", "100");
  const std::string part = run(source_ + "expect cSrcAmt 200.00\n" + destination(1, "K2", "200") +
                               "set cBatchHandling R\nsave\nexpect cStatus C\n");
  EXPECT_EQ(part.find("FAIL"), std::string::npos) << part;
  EXPECT_NE(part.find("MESSAGE National Accounts (48): Transfer batch 0000000050 holds 100.00 of "
                      "this document until it is applied to that batch's debit memo; 200.00 is "
                      "left to transfer."),
            std::string::npos)
      << part;
  const std::string none = run(source_);
  EXPECT_NE(none.find("MESSAGE National Accounts (48): Transfer batches 0000000050, 0000000101 hold "
                      "300.00 of this document until it is applied to their debit memos; nothing "
                      "is left to transfer.\nREFUSED cSrcRefNbr"),
            std::string::npos)
      << none;
}

// Another clerk took the source after this batch was saved: saved again, it
// is refused in the save, and keeps what it had.
TEST_F(SourceHeld, ABatchSavedAgainAfterAnotherTookItsSourceIsRefused) {
  run(source_ + destination(1, "K2", "300"));
  heldBy("0000000050", "120");
  const std::string out = run("last 0\nline Spread1 1\nset cDestAmt 250\nsave\n");
  EXPECT_NE(out.find("MESSAGE National Accounts (48): Transfer batch 0000000050 holds 120.00 of "
                     "this document until it is applied to that batch's debit memo; only 180.00 "
                     "is left to transfer, not 300.00. Nothing was saved.\nREFUSED save"),
            std::string::npos)
      << out;
  EXPECT_EQ(rows("select printf('%.2f', DestAmt) from XNATranDet"), Rows{"300.00"});
  rows("delete from XNATranHdr where NATrBatNbr = '0000000050'");
}

}  // namespace
}  // namespace corvena::transfer::testing
