#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

class Numbering : public Company {
 protected:
  std::string next(const std::string& source) {
    db::Transaction tx(*db);
    const Rows got = column("AutoNbr_Next " + db::textLiteral(source), "LastNbr");
    tx.commit();
    return got.size() == 1 ? got[0] : "rows: " + std::to_string(got.size());
  }
  void setup(const std::string& lastPayment, const std::string& lastTransfer) {
    XNASetup s;
    s.vond1 = "1020";
    s.LastNABatNbr = lastPayment;
    s.LastNATrBatNbr = lastTransfer;
    db->insert("XNASetup", s);
  }
};

TEST_F(Numbering, PaymentBatchesAdvanceTheSetupsLastNumberKeepingItsWidth) {
  setup("0000000041", "");
  EXPECT_EQ(next("XNAPaymentAutoNbr"), "0000000042");
  EXPECT_EQ(next("XNAPaymentAutoNbr"), "0000000043");
  EXPECT_EQ(column("select * from xnasetup", "LastNABatNbr"), (Rows{"0000000043"}));
  EXPECT_EQ(column("select * from xnasetup", "LastNATrBatNbr"), (Rows{""}));
}

TEST_F(Numbering, TransferBatchesHaveTheirOwnSequenceStartingAtOneInTenDigits) {
  setup("0000000041", "");
  EXPECT_EQ(next("XNATransferAutoNbr"), "0000000001");
  EXPECT_EQ(next("XNATransferAutoNbr"), "0000000002");
  EXPECT_EQ(column("select * from xnasetup", "LastNABatNbr"), (Rows{"0000000041"}));
}

TEST_F(Numbering, ShortNumbersKeepTheirWidthAndCarryIntoMoreDigits) {
  setup("0099", "9");
  EXPECT_EQ(next("XNAPaymentAutoNbr"), "0100");
  EXPECT_EQ(next("XNATransferAutoNbr"), "10");
}

// Whatever the setup holds, the next number is past every numbered batch, so
// payment entry is never blocked; the setup row's stamp moves with it.
TEST_F(Numbering, PaymentNumbersGoPastEveryNumberedBatch) {
  db->exec("INSERT INTO XNAHeader (NABatNbr, Status) VALUES ('0000000007', 'O')");
  for (const char* last : {"", "0000000000", "ABC", "-1", "0000000003"}) {
    SCOPED_TRACE(last);
    db->exec("DELETE FROM XNASetup");
    setup(last, "");
    EXPECT_EQ(next("XNAPaymentAutoNbr"), "0000000008");
    EXPECT_EQ(column("select * from xnasetup", "tstamp"), (Rows{"1"}));
  }
}

TEST_F(Numbering, ANumberOutgrowingTheBatchNumberIsNotHandedOut) {
  db->exec("INSERT INTO XNAHeader (NABatNbr, Status) VALUES ('9999999999', 'O')");
  setup("9999999998", "");
  EXPECT_EQ(next("XNAPaymentAutoNbr"), "rows: 0");
  EXPECT_EQ(column("select * from xnasetup", "LastNABatNbr"), (Rows{"9999999999"}));
}

TEST_F(Numbering, HostSourcesLiveInTheNumberingTable) {
  db->exec(
      "INSERT INTO AutoNumber (Source, LastNbr) VALUES ('ARBatch', '000120'), ('ARRef', '') "
      "ON CONFLICT (Source) DO UPDATE SET LastNbr = excluded.LastNbr");
  EXPECT_EQ(next("ARBatch"), "000121");
  EXPECT_EQ(next("ARRef"), "0000000001");
  EXPECT_EQ(column("select LastNbr from AutoNumber where Source in ('ARBatch', 'ARRef') order by Source",
                   "LastNbr"),
            (Rows{"000121", "0000000001"}));
}

TEST_F(Numbering, UnknownSourceHandsOutNothingAndChangesNothing) {
  setup("0000000041", "0000000005");
  EXPECT_EQ(next("NoSuchSource"), "rows: 0");
  EXPECT_EQ(next("x' or '1'='1"), "rows: 0");
  EXPECT_EQ(column("select * from xnasetup", "LastNABatNbr"), (Rows{"0000000041"}));
}

TEST_F(Numbering, WithoutTheSetupRowNoPaymentNumberIsHandedOut) {
  EXPECT_EQ(next("XNAPaymentAutoNbr"), "rows: 0");
}

}  // namespace
}  // namespace corvena::testing
