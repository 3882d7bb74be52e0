#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

class PaymentDocuments : public Company {
 protected:
  void SetUp() override {
    for (const char* id : {"P1", "K1", "K2", "OUT"}) customer(id);
    link("P1", {"K1", "K2"});
    document("P1", "IN", "1001", 100);
    document("K1", "DM", "1002", 50);
    document("K2", "FI", "1003", 5);
    document("K2", "IN", "1004", 0);      // paid
    document("K1", "IN", "1005", 70, 0);  // not released
    document("OUT", "IN", "1006", 30);    // no national account
    document("K1", "CM", "1007", 20);     // a credit, not payable
    document("P1", "PA", "CHK1", 400);
    document("P1", "PP", "PRE1", 0);  // used up
    document("P1", "CM", "CRM1", 25);
  }
  void header(const std::string& batch, const std::string& ref, const std::string& status,
              const std::string& cust = "P1") {
    XNAHeader h;
    h.NABatNbr = batch;
    h.CpnyId = "CPNY";
    h.CustId = cust;
    h.RefNbr = ref;
    h.Status = status;
    db->insert("XNAHeader", h);
  }
  void detail(const std::string& batch, const std::string& cust, const std::string& type,
              const std::string& ref, const std::string& lineStatus = "") {
    XNADetail d;
    d.NABatNbr = batch;
    d.CustId = cust;
    d.DocType = type;
    d.RefNbr = ref;
    d.LineStatus = lineStatus;
    d.ARRefNbr = lineStatus == "C" ? "AR" + ref : "";
    d.CuryApplAmt = 10;
    db->insert("XNADetail", d);
  }
  void application(const std::string& batch, const std::string& cust, const std::string& ref,
                   std::int16_t released) {
    ARAdjust a;
    a.AdjBatNbr = batch;
    a.CustId = cust;
    a.AdjdDocType = "IN";
    a.AdjdRefNbr = ref;
    a.AdjgDocType = "PA";
    a.AdjgRefNbr = "PAY" + batch;
    a.Rlsed = released;
    db->insert("ARAdjust", a);
  }
};

TEST_F(PaymentDocuments, OpenDetailsAreThePayableDocumentsOfParentAndChildren) {
  EXPECT_EQ(column("XNAARDoc_OpenDetails 'P1'", "RefNbr"), (Rows{"1002", "1003", "1001"}));
  EXPECT_EQ(column("XNAARDoc_OpenDetails " + db::textLiteral("P1    "), "RefNbr").size(), 3u);
  EXPECT_EQ(column("XNAARDoc_OpenDetails 'K1'", "RefNbr"), (Rows{"1002"}));
  EXPECT_EQ(column("XNAARDoc_OpenDetails 'NOBODY'", "RefNbr"), Rows{});
}

TEST_F(PaymentDocuments, OpenDetailsFillTheDocumentRecord) {
  db::Statement st = db->run("XNAARDoc_OpenDetails 'P1'");
  ASSERT_TRUE(st.step());
  ARDoc d;
  st.readInto(d);
  EXPECT_EQ(d.CustId, "K1");
  EXPECT_EQ(d.DocType, "DM");
  EXPECT_DOUBLE_EQ(d.CuryDocBal, 50);
  EXPECT_DOUBLE_EQ(d.CuryOrigDocAmt, 60);
  EXPECT_EQ(d.DueDate, (Date{2026, 1, 5}));
}

TEST_F(PaymentDocuments, ClosedFindsTheReleasedDocumentOfTheCustomer) {
  EXPECT_EQ(column("XNAARDoc_Closed '1004', 'K2'", "CuryDocBal"), (Rows{"0.000000"}));
  EXPECT_EQ(column("XNAARDoc_Closed '1004', 'K1'", "CuryDocBal"), Rows{});
  EXPECT_EQ(column("XNAARDoc_Closed '1005', 'K1'", "CuryDocBal"), Rows{});
}

TEST_F(PaymentDocuments, DetailRowsOfABatchAndOfADocument) {
  header("0000000001", "CHK9", "C");
  header("0000000002", "CHK8", "O");
  detail("0000000001", "K1", "DM", "1002", "C");
  detail("0000000002", "K2", "FI", "1003");
  detail("0000000002", "K1", "DM", "1002");
  EXPECT_EQ(column("XNADetail_BatNbr '0000000002'", "RefNbr"), (Rows{"1002", "1003"}));
  EXPECT_EQ(column("XNADetail_RefNbr 'K1', '1002', 'DM'", "NABatNbr"), (Rows{"0000000002"}));
  EXPECT_EQ(column("XNADetail_RefNbr 'K2', '1003', 'IN'", "NABatNbr"), Rows{});
}

TEST_F(PaymentDocuments, DocumentPaidOnlyByAClosedBatchIsFreeForAnother) {
  header("0000000001", "CHK9", "C");
  detail("0000000001", "K1", "DM", "1002", "C");
  EXPECT_EQ(column("XNADetail_RefNbr 'K1', '1002', 'DM'", "NABatNbr"), Rows{});
}

TEST_F(PaymentDocuments, DeleteBatchRemovesOnlyThatBatchsDetail) {
  detail("0000000001", "K1", "DM", "1002");
  detail("0000000001", "K2", "FI", "1003");
  detail("0000000003", "P1", "IN", "1001");
  call("XNADetail_DeleteBatch '0000000001'");
  EXPECT_EQ(column("select NABatNbr from XNADetail", "NABatNbr"), (Rows{"0000000003"}));
  call("XNADetail_DeleteBatch " + db::textLiteral("x' or '1'='1"));
  EXPECT_EQ(count("XNADetail"), 1);
}

TEST_F(PaymentDocuments, HeaderReferenceLookupByCustomerPattern) {
  header("0000000001", "CMCRM101", "O");
  EXPECT_EQ(column("XNAHeader_RefNbr '%'" + db::textLiteral("CMCRM101") + db::textLiteral("%"),
                   "NABatNbr"),
            (Rows{"0000000001"}));
  EXPECT_EQ(column("XNAHeader_RefNbr '%', 'CMCRM101', 'K1'", "NABatNbr"), Rows{});
  EXPECT_EQ(column("XNAHeader_RefNbr '%', 'CMCRM102', '%'", "NABatNbr"), Rows{});
}

TEST_F(PaymentDocuments, OpenBalanceIsOneAmountAndZeroWhenNone) {
  db::Statement st = db->run("XGet_OpenBal 'CRM1'");
  ASSERT_TRUE(st.step());
  EXPECT_EQ(st.columnCount(), 1);
  EXPECT_DOUBLE_EQ(std::get<double>(st.column(0)), 25);
  EXPECT_FALSE(st.step());
  EXPECT_EQ(column("XGet_OpenBal 'NONE'", "OpenBal"), (Rows{"0.000000"}));
  EXPECT_EQ(column("XGet_OpenBal '1001'", "OpenBal"), (Rows{"0.000000"}));
}

TEST_F(PaymentDocuments, UnreleasedApplicationBlocksTheDocumentUntilReleased) {
  application("AR01", "K1", "1002", 1);
  EXPECT_EQ(column("UnrlsedPayCheck '1002', 'DM', 'K1'", "AdjBatNbr"), Rows{});
  application("AR02", "P1", "1001", 0);
  EXPECT_EQ(column("UnrlsedPayCheck '1001', 'IN', 'P1'", "AdjBatNbr"), (Rows{"AR02"}));
  EXPECT_EQ(column("UnrlsedPayCheck '1001', 'IN', 'K1'", "AdjBatNbr"), Rows{});
  EXPECT_EQ(column("UnrlsedPayCheck '1001', 'DM', 'P1'", "AdjBatNbr"), Rows{});
}

TEST_F(PaymentDocuments, FailedReleaseRemovesOnlyTheUnreleasedHostBatch) {
  Batch b;
  b.BatNbr = "AR05";
  b.Module = "AR";
  db->insert("Batch", b);
  document("P1", "PA", "PAY05", 0, 0);
  db->exec("UPDATE ARDoc SET BatNbr = 'AR05' WHERE RefNbr = 'PAY05'");
  application("AR05", "P1", "1001", 0);
  db->exec("UPDATE ARDoc SET BatNbr = 'AR05' WHERE RefNbr = '1001'");  // released: stays
  call("DeleteRefNbr 'AR05'");
  call("XNAApp_DeleteBatch 'AR05'");
  EXPECT_EQ(column("select RefNbr from ARDoc where BatNbr = 'AR05'", "RefNbr"), (Rows{"1001"}));
  EXPECT_EQ(count("ARAdjust"), 0);
  EXPECT_EQ(count("Batch"), 0);
}

TEST_F(PaymentDocuments, ClosedDocsForParentAreItsCreditsOfTheTypeWithABalance) {
  EXPECT_EQ(column("XNAShowAllClosedDocsForParent 'P1', 'P1', 'CM', '%'", "RefNbr"),
            (Rows{"CRM1"}));
  EXPECT_EQ(column("XNAShowAllClosedDocsForParent 'P1', 'P1', 'PA', 'CH%'", "RefNbr"),
            (Rows{"CHK1"}));
  EXPECT_EQ(column("XNAShowAllClosedDocsForParent 'P1', 'P1', 'PP', '%'", "RefNbr"), Rows{});
  EXPECT_EQ(column("XNAShowAllClosedDocsForParent 'K1', 'K1', 'CM', '%'", "RefNbr"),
            (Rows{"1007"}));
}

TEST_F(PaymentDocuments, BatchNavigationAndInquiryLists) {
  header("0000000002", "CHK8", "O");
  header("0000000001", "CHK9", "C");
  detail("0000000001", "K1", "DM", "1002", "C");
  EXPECT_EQ(column("xNAHeader_all 'CPNY', '%'", "NABatNbr"), (Rows{"0000000001", "0000000002"}));
  EXPECT_EQ(column("xNAHeader_all 'OTHER', '%'", "NABatNbr"), Rows{});
  EXPECT_EQ(column("XNAREFNBR_ALL '10%'", "NABatNbr"), (Rows{"0000000001"}));
  EXPECT_EQ(column("xnachknbr_all 'P1', '%'", "RefNbr"), (Rows{"CHK8", "CHK9"}));
  EXPECT_EQ(column("xnacorchknbr_all 'K1', '%'", "ARRefNbr"), (Rows{"AR1002"}));
}

TEST_F(PaymentDocuments, ReferencesCompareWithoutTrailingBlanksAndSortTrimmed) {
  header("0000000001", "A", "O");
  header("0000000002", "A B", "O");
  header("0000000003", "AB", "O");
  EXPECT_EQ(column("xnachknbr_all " + db::textLiteral("P1       ") + "'%'", "RefNbr"),
            (Rows{"A", "A B", "AB"}));
  EXPECT_EQ(column("select RefNbr from XNAHeader where RefNbr = 'A     '", "RefNbr"), (Rows{"A"}));
}

}  // namespace
}  // namespace corvena::testing
