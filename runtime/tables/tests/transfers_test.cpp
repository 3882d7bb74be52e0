#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

class Transfers : public Company {
 protected:
  void SetUp() override {
    for (const char* id : {"P1", "K1", "K2"}) customer(id);
    link("P1", {"K1", "K2"});
    document("K1", "CM", "CM01", 40);
    document("K1", "PA", "PA01", 60);
    document("K1", "PA", "PA02", 0);
    document("K1", "IN", "IN01", 80);
    document("K1", "DM", "DM01", 40);
    document("K2", "CM", "CM02", 15);
    XNATranHdr h;
    h.NATrBatNbr = "0000000007";
    h.SrcCustID = "K1";
    h.PrimaryCustID = "P1";
    h.Status = "O";
    db->insert("XNATranHdr", h);
    for (const char* dest : {"K2", "P1"}) {
      XNATranDet d;
      d.NATrBatNbr = "0000000007";
      d.DestCustID = dest;
      db->insert("XNATranDet", d);
      for (std::int16_t n : {3, -32768, 1, 32767}) line(dest, n);
    }
  }
  void line(const std::string& dest, std::int16_t nbr) {
    XNATranDLn l;
    l.NATrBatNbr = "0000000007";
    l.DetCustID = dest;
    l.LineNbr = nbr;
    l.TranAmt = nbr;
    db->insert("XNATranDLn", l);
  }
};

TEST_F(Transfers, SourceDocumentsAreTheCustomersOpenCreditsAndPayments) {
  EXPECT_EQ(column("XArdocCMPA_CustID_RefNbr 'K1', '%'", "RefNbr"), (Rows{"CM01", "PA01"}));
  EXPECT_EQ(column("XArdocCMPA_CustID_RefNbr 'K1', 'PA01'", "DocType"), (Rows{"PA"}));
  EXPECT_EQ(column("XArdocCMPA_CustID_RefNbr 'K1', 'IN01'", "DocType"), Rows{});
  EXPECT_EQ(column("XArdocCMPA_CustID_RefNbr 'K2', 'CM01'", "DocType"), Rows{});
  EXPECT_EQ(column("XArdocCM_CustID_RefNbr 'K1', '%'", "RefNbr"), (Rows{"CM01", "DM01"}));
}

TEST_F(Transfers, LinesOfADestinationInLineNumberOrderWithinTheRange) {
  EXPECT_EQ(column("XNATranDLn_All '0000000007', 'K2', -32768, 32767", "LineNbr"),
            (Rows{"-32768", "1", "3", "32767"}));
  EXPECT_EQ(column("XNATranDLn_All '0000000007'" + db::textLiteral("K2") + db::intLiteral(1) +
                       db::intLiteral(3),
                   "LineNbr"),
            (Rows{"1", "3"}));
  EXPECT_EQ(column("XNATranDLn_All '0000000007', 'K1', -32768, 32767", "LineNbr"), Rows{});
}

TEST_F(Transfers, LineRowsFillTheLineRecordWithTheSixteenBitNumber) {
  db::Statement st = db->run("XNATranDLn_All '0000000007', 'P1', -32768, 32767");
  ASSERT_TRUE(st.step());
  XNATranDLn l;
  st.readInto(l);
  EXPECT_EQ(l.LineNbr, -32768);
  EXPECT_DOUBLE_EQ(l.TranAmt, -32768);
  EXPECT_EQ(l.DetCustID, "P1");
}

TEST_F(Transfers, DestinationsAndBatchesNavigateByKey) {
  EXPECT_EQ(column("XNATranDet_All '0000000007', '%'", "DestCustID"), (Rows{"K2", "P1"}));
  EXPECT_EQ(column("XNATranDet_All '0000000007', 'P%'", "DestCustID"), (Rows{"P1"}));
  EXPECT_EQ(column("XNATranDet_All '0000000008', '%'", "DestCustID"), Rows{});
  EXPECT_EQ(column("XNATranHdr_all '%'", "NATrBatNbr"), (Rows{"0000000007"}));
  EXPECT_EQ(column("XNATranHdr_all " + db::textLiteral("0000000007   "), "SrcCustID"),
            (Rows{"K1"}));
}

// A batch holds its source's amount until the source is applied, by a released
// application, to that batch's own debit memo; the asking batch is left out.
TEST_F(Transfers, OtherBatchesHoldTheirSourceUntilItIsAppliedToTheirDebitMemo) {
  db->exec(
      "UPDATE XNATranHdr SET SrcDocType = 'CM', SrcRefNbr = 'CM01', SrcAmt = 40, Status = 'C',"
      " ARDMRefNbr = 'DM01';"
      "INSERT INTO XNATranHdr (NATrBatNbr, SrcCustID, SrcDocType, SrcRefNbr, SrcAmt, Status)"
      " VALUES ('0000000008', 'K1', 'CM', 'CM01', 30, 'O');"
      "INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjgDocType, AdjgRefNbr, AdjdDocType, AdjdRefNbr,"
      " CuryAdjdAmt, Rlsed) VALUES ('A1', 'K1', 'CM', 'CM01', 'DM', 'DM01', 25, 1),"
      " ('A2', 'K1', 'CM', 'CM01', 'DM', 'DM01', 5, 0), ('A3', 'K1', 'CM', 'CM01', 'IN', 'IN01', 9, 1)");
  const std::string held = "XNATranHdr_SourceHeld 'K1', 'CM', 'CM01', ";
  EXPECT_EQ(column(held + "'0000000008'", "NATrBatNbr"), Rows{"0000000007"});
  EXPECT_EQ(column(held + "'0000000008'", "SrcAmt"), Rows{"15.000000"});
  EXPECT_EQ(column(held + "''", "NATrBatNbr"), (Rows{"0000000007", "0000000008"}));
  call("UPDATE ARAdjust SET Rlsed = 1, CuryAdjdAmt = 15 WHERE AdjBatNbr = 'A2'");
  EXPECT_EQ(column(held + "''", "NATrBatNbr"), Rows{"0000000008"});
  EXPECT_EQ(column("XNATranHdr_SourceHeld 'K1', 'PA', 'CM01', ''", "NATrBatNbr"), Rows{});
}

TEST_F(Transfers, DestinationChoicesAreTheParentsChildren) {
  EXPECT_EQ(column("XNACustS_Primary 'P1', '%'", "SecondaryCustid"), (Rows{"K1", "K2"}));
  EXPECT_EQ(column("XNACustS_Primary 'P1', 'K2'", "SecondaryCustid"), (Rows{"K2"}));
}

}  // namespace
}  // namespace corvena::testing
