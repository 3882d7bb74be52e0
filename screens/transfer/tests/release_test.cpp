// Releasing a transfer through the host's invoice and memo screen, driven as
// its own program: the documents in AR, the module's rows, the GL; and a
// release interrupted, then released again, creating no document twice.
#include "screens/transfer/tests/transfer_fixture.h"

namespace corvena::transfer::testing {
namespace {

class Release : public TransferTest {
 protected:
  Rows documents() {
    return rows("select CustId, DocType, printf('%.2f|%.2f', CuryOrigDocAmt, CuryDocBal), Rlsed"
                " from ARDoc order by CustId, DocType");
  }
  Rows glBalance(const std::string& acct) {
    return rows("select printf('%.2f', coalesce(sum(DrAmt) - sum(CrAmt), 0)) from GLTran"
                " where Acct = '" + acct + "'");
  }
  std::string release(const std::string& batchScript, const std::string& after = "") {
    return run(batchScript + "set cBatchHandling R\nsave\nexpect cStatus C\n"
                             "expect cBatchHandling N\n" + after);
  }
};

TEST_F(Release, ACreditMemoMovesToTwoDestinationsThroughOneHostBatch) {
  const std::string cm = creditMemo("K1", {120, 180});
  const std::string out =
      release(batch("K1", cm, destination(1, "K2", "200") + destination(2, "K3", "100")));
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
  EXPECT_EQ(out.find("STATUS 3"), std::string::npos) << out;
  const Rows hostBatch = rows("select ARBatNbr from XNATranHdr");
  ASSERT_EQ(hostBatch.size(), 1u);
  EXPECT_NE(out.find("STATUS 2: Creating Debit Memo...\nSTATUS 2: Creating Credit Memos...\n"
                     "STATUS 2: Released into AR as batch " + hostBatch[0] + ".\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(documents(), (Rows{"K1|CM|300.00|300.00|1", "K1|DM|300.00|300.00|1",
                               "K2|CM|200.00|200.00|1", "K3|CM|100.00|100.00|1"}));
  EXPECT_EQ(rows("select count(distinct d.BatNbr), count(*), max(b.Rlsed) from ARDoc d"
                 " join XNATranHdr h on d.BatNbr = h.ARBatNbr join Batch b on b.BatNbr = d.BatNbr"),
            Rows{"1|3|1"});
  EXPECT_EQ(rows("select h.Status, d.RefNbr = h.ARDMRefNbr from XNATranHdr h join ARDoc d"
                 " on d.DocType = 'DM'"),
            Rows{"C|1"});
  EXPECT_EQ(rows("select t.DestCustID, t.Status, t.Rlsed, d.CustId from XNATranDet t"
                 " join ARDoc d on d.RefNbr = t.ARRefNbr and d.DocType = 'CM' order by 1"),
            (Rows{"K2|C|1|K2", "K3|C|1|K3"}));
  EXPECT_EQ(rows("select distinct Status from XNATranDLn"), Rows{"C"});
  EXPECT_EQ(rows("select count(*) from ARTran t join ARDoc d on d.RefNbr = t.RefNbr"
                 " and d.DocType = 'DM'"),
            Rows{"2"});
  EXPECT_EQ(rows("select printf('%.2f|%.2f', sum(DrAmt), sum(CrAmt)) from GLTran"
                 " where BatNbr = (select ARBatNbr from XNATranHdr)"),
            Rows{"600.00|600.00"});
}

// Lines left on their default take the source's own line account: the debit
// memo and the credit memos net out in the GL but for the project line, and AR
// moves the credit from one customer to others. The project reaches AR.
TEST_F(Release, DestinationLinesOnTheSourcesAccountNetOutAndAProjectLineReachesAR) {
  const std::string cm = creditMemo("K1", {120, 180});
  const std::string out = release(
      batch("K1", cm,
            destination(1, "K2", "200", "") +
                "line Spread1 new\nset cDestCustID K3\nset cDestAmt 100\nclick cmdDetailLines\n"
                "line Spread2 new\nset cAcct_2 7000\nset cProjectID_2 STORE-REFIT\n"
                "set cTaskID_2 INSTALL\nset cTranAmt_2 100\nclick cmdOK\n"));
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select Acct, printf('%.2f', sum(DrAmt) - sum(CrAmt)) from GLTran"
                 " where BatNbr = (select ARBatNbr from XNATranHdr) group by Acct order by Acct"),
            (Rows{"1200|0.00", "4000|-100.00", "7000|100.00"}));
  EXPECT_EQ(rows("select d.CustId, t.Acct, t.ProjectID, t.TaskID from ARTran t join ARDoc d"
                 " on d.RefNbr = t.RefNbr and d.BatNbr = t.BatNbr where d.DocType = 'CM'"
                 " and d.CustId <> 'K1' order by 1"),
            (Rows{"K2|4000||", "K3|7000|STORE-REFIT|INSTALL"}));
}

// The release's writes are the releasing clerk's, not those of the clerk who
// saved the batch last.
TEST_F(Release, AReleaseIsStampedWithTheClerkWhoReleased) {
  const std::string cm = creditMemo("K1", {60});
  run(batch("K1", cm, destination(1, "K2", "60")) + "save\n");
  user_ = "CLERK2";
  const std::string out = run("last 0\nset cBatchHandling R\nsave\nexpect cStatus C\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select h.Crtd_User, h.LUpd_User, d.LUpd_User, l.LUpd_User from XNATranHdr h"
                 " join XNATranDet d on d.NATrBatNbr = h.NATrBatNbr"
                 " join XNATranDLn l on l.NATrBatNbr = h.NATrBatNbr"),
            Rows{"CLERK1|CLERK2|CLERK2|CLERK2"});
}

// After a release (or Cancel) New is a batch like the first of the day: its
// fields open, its totals blank, and what is typed in it is saved.
TEST_F(Release, NewAfterAReleaseOrCancelIsAFreshBatch) {
  const std::string first = creditMemo("K1", {60});
  const std::string second = creditMemo("K2", {40});
  const std::string fresh =
      "property cSrcCustId enabled\nproperty cSrcRefNbr enabled\nproperty cDestCustID enabled\n"
      "show cLineTotal\nshow cStatus\n";
  // The line detail's OK saves the batch.
  const std::string out = release(batch("K1", first, destination(1, "K2", "60")),
                                  "new 0\n" + fresh + "cancel\n" + fresh +
                                      batch("K2", second, destination(1, "K3", "40")));
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(out.find("REFUSED"), std::string::npos) << out;
  const std::string shown =
      "PROPERTY cSrcCustId enabled: True\nPROPERTY cSrcRefNbr enabled: True\n"
      "PROPERTY cDestCustID enabled: True\nSHOW cLineTotal: 0.00\nSHOW cStatus: O\n";
  EXPECT_NE(out.find(shown + shown), std::string::npos) << out;
  EXPECT_EQ(rows("select SrcCustID, Status from XNATranHdr order by NATrBatNbr"),
            (Rows{"K1|C", "K2|O"}));
}

TEST_F(Release, ApplyNeedsAReleasedDestination) {
  const std::string cm = creditMemo("K1", {60});
  const std::string out =
      run(batch("K1", cm, destination(1, "K2", "60")) + "line Spread1 1\nclick cmdApply\n");
  EXPECT_NE(out.find("MESSAGE National Accounts (0): Must have reference number by releasing "
                     "batch to apply this line."),
            std::string::npos)
      << out;
}

// The host refuses the second destination's credit memo (its line's account is
// gone from the chart), saying why in the status log: the batch stays "P" with
// what was recorded. Released again,
// it enters only what is missing into the same host batch, even a document
// the host stored before the release could record it.
TEST_F(Release, AnInterruptedReleaseReleasedAgainCreatesNoDocumentTwice) {
  const std::string cm = creditMemo("K1", {300});
  run(batch("K1", cm, destination(1, "K2", "200") + destination(2, "K3", "100")) + "save\n");
  rows("update XNATranDLn set Acct = '4999' where DetCustID = 'K3'");
  const std::string interrupted = run("last 0\nset cBatchHandling R\nsave\nexpect cStatus P\n");
  // The host screen's own words, under its name, then the release's error line.
  EXPECT_NE(interrupted.find("STATUS 2: 0801000: 4999 is not a valid value for Account.\n"
                             "STATUS 3: Unexpected error"),
            std::string::npos)
      << interrupted;
  EXPECT_EQ(rows("select Status, ARDMRefNbr <> '' from XNATranHdr"), Rows{"P|1"});
  EXPECT_EQ(rows("select DestCustID from XNATranDet where ARRefNbr <> ''"), Rows{"K2"});
  rows("update XNATranHdr set ARDMRefNbr = ''");
  rows("update XNATranDLn set Acct = '4000' where DetCustID = 'K3'");
  const std::string again = run("last 0\nset cBatchHandling R\nsave\nexpect cStatus C\n");
  EXPECT_EQ(again.find("FAIL"), std::string::npos) << again;
  EXPECT_EQ(documents(), (Rows{"K1|CM|300.00|300.00|1", "K1|DM|300.00|300.00|1",
                               "K2|CM|200.00|200.00|1", "K3|CM|100.00|100.00|1"}));
  EXPECT_EQ(rows("select count(distinct BatNbr) from ARDoc where DocType <> 'CM' or CustId <> 'K1'"),
            Rows{"1"});
}

// A credit memo already applied in part: the debit memo offsets what is left,
// not the whole memo, so the customer is not charged for what was used.
TEST_F(Release, ACreditMemoUsedInPartMovesWhatIsLeft) {
  const std::string cm = creditMemo("K1", {120, 180});
  rows("insert into ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, CuryOrigDocAmt, Rlsed,"
       " CpnyID, CuryId) values ('OLD', 'K1', 'IN', 'OLDINV', 200, 200, 1, 'DEMO', 'USD')");
  rows("insert into ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, AdjgDocType, AdjgRefNbr,"
       " AdjAmt, CuryAdjdAmt, Rlsed) values ('OLD', 'K1', 'IN', 'OLDINV', 'CM', '" + cm +
       "', 200, 200, 1)");
  rows("update ARDoc set DocBal = 100, CuryDocBal = 100 where RefNbr = '" + cm + "'");
  const std::string out = release(batch("K1", cm, destination(1, "K2", "100")));
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("select printf('%.2f', CuryOrigDocAmt) from ARDoc where DocType = 'DM'"),
            Rows{"100.00"});
  EXPECT_EQ(rows("select printf('%.2f', t.TranAmt) from ARTran t join ARDoc d"
                 " on d.RefNbr = t.RefNbr and d.DocType = 'DM' order by t.LineNbr"),
            (Rows{"40.00", "60.00"}));
}

// A payment's lines were not entered by the invoice screen: the debit memo
// offsets it with one line on the wash account, which the destination's line
// takes back.
TEST_F(Release, APaymentMovesThroughTheWashAccount) {
  payment("K1", "PAY1", 150);
  const std::string out = release(
      batch("K1", "PAY1",
            "line Spread1 new\nset cDestCustID K2\nset cDestAmt 150\nclick cmdDetailLines\n"
            "line Spread2 new\nset cAcct_2 1010\nset cTranAmt_2 150\nclick cmdOK\n"));
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(documents(), (Rows{"K1|DM|150.00|150.00|1", "K1|PA|150.00|150.00|1",
                               "K2|CM|150.00|150.00|1"}));
  EXPECT_EQ(rows("select t.Acct, printf('%.2f', t.TranAmt) from ARTran t join ARDoc d"
                 " on d.RefNbr = t.RefNbr and d.DocType = 'DM'"),
            Rows{"1010|150.00"});
  EXPECT_EQ(glBalance("1010"), Rows{"0.00"});
}

}  // namespace
}  // namespace corvena::transfer::testing
