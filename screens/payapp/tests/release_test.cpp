// Releasing a batch saved with "Release Now": the host screens are driven as
// their own programs, and AR's balances, the header and its lines show it.
#include <cstdlib>

#include "platform/forms/messages.h"
#include "platform/signon/user_directory.h"
#include "runtime/tables/payment_invariants.h"
#include "screens/payapp/tests/release_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class Release : public ReleaseTest {};

// C1's payment applies to two documents: each application is its own AR row,
// and the GL moves by what the check brought in.
TEST_F(Release, ANewPaymentPaysEachCustomersDocumentsAndLeavesTheRestToTheParent) {
  addDoc({.cust = "C1", .ref = "INV4", .balance = 50, .due = {2026, 5, 1}});
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "120"));
  payDocument(*s, "INV4");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(s->messages(), Rows{});
  ASSERT_EQ(s->session().messages().statusLog().size(), 2u);
  EXPECT_EQ(s->session().messages().statusLog()[0].text, "Creating Payment Application...");
  const auto hostBatch = rows("select ARBatNbr from XNAHeader");
  ASSERT_EQ(hostBatch.size(), 1u);
  EXPECT_EQ(s->session().messages().statusLog()[1].text,
            "Released into AR as batch " + hostBatch[0] + ".");
  EXPECT_EQ(rows("select Status, ARBatNbr <> '' from XNAHeader"), Rows{"C|1"});
  EXPECT_EQ(sorted(rows("select RefNbr, ARRefNbr, LineStatus from XNADetail")),
            sorted({"INV1|CHK1|C", "INV2|NCHK1|C", "INV4|NCHK1|C"}));
  EXPECT_EQ(balances(), (Rows{"CHK1|230.00", "INV1|0.00", "INV2|180.00", "INV3|80.00",
                              "INV4|0.00", "NCHK1|0.00"}));
  EXPECT_EQ(rows("select RefNbr, printf('%.2f', CuryOrigDocAmt), Rlsed, OpenDoc from ARDoc"
                 " where DocType = 'PA' order by RefNbr"),
            (Rows{"CHK1|330.00|1|1", "NCHK1|170.00|1|0"}));
  EXPECT_EQ(rows("select CustId, AdjdRefNbr, AdjgRefNbr, printf('%.2f', CuryAdjdAmt),"
                 " printf('%.2f', CuryAdjdDiscAmt), Rlsed from ARAdjust order by AdjdRefNbr"),
            (Rows{"P1|INV1|CHK1|100.00|0.00|1", "C1|INV2|NCHK1|120.00|0.00|1",
                  "C1|INV4|NCHK1|50.00|0.00|1"}));
  EXPECT_EQ(rows("select Acct, printf('%.2f', sum(DrAmt)), printf('%.2f', sum(CrAmt)) from GLTran"
                 " group by Acct order by Acct"),
            (Rows{"1000|500.00|0.00", "1200|0.00|500.00"}));
  EXPECT_EQ(s->app().bXNAHeader.Status.trimmed(), "C");
  EXPECT_FALSE(s->enabled("cCustId"));
}

// The next payment is entered in the same window: New after the release is a
// batch as the screen opened, and what is typed in it is saved.
TEST_F(Release, NewAfterAReleaseIsAFreshPayment) {
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  ASSERT_EQ(s->app().bXNAHeader.Status.trimmed(), "C");
  ASSERT_TRUE(s->newBatch());
  for (const char* open : {"cCustId", "cNARefNbr", "cOrigDocAmt", "cDocDate", "cPerPost",
                           "cBatchHandling", "cType", "cCuryApplAmt", "cDiscAmt"})
    EXPECT_TRUE(s->enabled(open)) << open;
  for (const char* blank : {"lName", "lPhone", "cCustId", "cNARefNbr", "cStatus"})
    EXPECT_EQ(s->shown(blank), blank == std::string("cStatus") ? "O" : "") << blank;
  EXPECT_EQ(s->shown("cUnappliedAmt"), "0.00");
  EXPECT_EQ(s->lineCount(), 0u);
  ASSERT_TRUE(s->set("cCustId", "P1"));
  ASSERT_TRUE(s->set("cNARefNbr", "CHK2"));
  ASSERT_TRUE(s->set("cOrigDocAmt", "80"));
  ASSERT_TRUE(enter(*s, "INV3", "cCuryApplAmt", "80"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select RefNbr, Status from XNAHeader order by NABatNbr"),
            (Rows{"CHK1|C", "CHK2|O"}));
  EXPECT_EQ(rows("select d.RefNbr from XNADetail d join XNAHeader h on h.NABatNbr = d.NABatNbr"
                 " where h.RefNbr = 'CHK2'"),
            Rows{"INV3"});
}

// The host keeps its batch unreleased (here: no cash account to post to): the
// header stays open with the host batch noted and no line marked paid; the
// recall removes what AR holds, and the batch then releases whole.
TEST_F(Release, AHostBatchNotReleasedLeavesTheBatchOpenUntilItIsReleasedAgain) {
  db_->exec("update ARSetup set ChkAcct = ''");
  auto s = openPayment("100");
  payDocument(*s, "INV1");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(s->messages(), Rows{"The Corvena Payment Application Batch was not released."});
  EXPECT_EQ(s->session().messages().statusLog().back().mode, forms::kStatusError);
  EXPECT_EQ(rows("select Status, ARBatNbr <> '' from XNAHeader"), Rows{"O|1"});
  EXPECT_EQ(rows("select ARRefNbr, LineStatus from XNADetail"), Rows{"|"});
  EXPECT_EQ(rows("select Rlsed from Batch where EditScrnNbr = '08030'"), Rows{"0"});
  db_->exec("update ARSetup set ChkAcct = '1000'");
  auto again = open();
  ASSERT_TRUE(again->set("cNABatNbr", s->app().bXNAHeader.NABatNbr.trimmed()));
  ASSERT_EQ(again->messages().size(), 1u);
  EXPECT_EQ(again->messages()[0].rfind("An earlier release of this batch was interrupted", 0), 0u);
  EXPECT_EQ(rows("select count(*) from Batch where EditScrnNbr = '08030'"), Rows{"0"});
  ASSERT_TRUE(again->set("cBatchHandling", "R"));
  ASSERT_TRUE(again->save());
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(rows("select ARRefNbr, LineStatus from XNADetail"), Rows{"CHK1|C"});
  EXPECT_EQ(balances(), (Rows{"CHK1|0.00", "INV1|0.00", "INV2|300.00", "INV3|80.00"}));
}

// A release killed once AR had released its batch, before the header closed:
// the recall closes it, and each line gets the host payment that paid it.
TEST_F(Release, ARecallClosesABatchAROnceReleasedAndFillsItsLines) {
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "120"));
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  const auto closed = rows("select ARBatNbr from XNAHeader");
  db_->exec("update XNAHeader set Status = 'O'; update XNADetail set ARRefNbr = '', LineStatus = ''");
  // Paid in AR already: the lines hold nothing more until the recall closes them.
  EXPECT_EQ(paymentInvariantProblems(*db_), Rows{});
  auto again = open();
  ASSERT_TRUE(again->set("cNABatNbr", s->app().bXNAHeader.NABatNbr.trimmed()));
  EXPECT_EQ(again->messages(), Rows{"The release of this batch had completed in AR as batch " +
                                    closed[0] + "; the batch is closed."});
  EXPECT_EQ(rows("select Status, ARBatNbr from XNAHeader"), Rows{"C|" + closed[0]});
  EXPECT_EQ(sorted(rows("select RefNbr, ARRefNbr, LineStatus from XNADetail")),
            sorted({"INV1|CHK1|C", "INV2|NCHK1|C"}));
}

// A credit memo of the parent pays the children through the wash account: a
// debit memo on the parent, wash payments per customer, the credit applied to
// the memo; the wash account nets to nothing.
TEST_F(Release, ACreditPaysThroughADebitMemoAndTheWashAccount) {
  auto s = openCredit();
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "50"));  // the credit applied in part
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(rows("select count(*) from Batch where Rlsed = 0"), Rows{"0"});
  EXPECT_EQ(balances(), (Rows{"CM1|50.00", "CMCM101|0.00", "CMCM101|0.00", "DCMCM101|0.00",
                              "INV1|0.00", "INV2|250.00", "INV3|80.00"}));
  EXPECT_EQ(rows("select printf('%.2f', coalesce(sum(DrAmt) - sum(CrAmt), 0)) from GLTran"
                 " where Acct = '1010'"),
            Rows{"0.00"});
}

// The parent's lines apart in the grid's order give it a second payment of the
// same reference, which the host refuses: the release stops, and nothing it
// built in the host is left to pay the documents a second time.
TEST_F(Release, ACustomerPaidTwiceInOneBatchStopsTheReleaseAndLeavesNothingBehind) {
  addDoc({.cust = "P1", .ref = "INV5", .balance = 40, .due = Date{2026, 3, 20}});
  addDoc({.cust = "C1", .ref = "INV6", .balance = 40, .due = Date{2026, 3, 25}});
  addDoc({.cust = "P1", .ref = "INV7", .balance = 40, .due = Date{2026, 3, 30}});
  auto s = openPayment("500");
  ASSERT_TRUE(s->set("cSortOrder4", "A"));
  for (const char* ref : {"INV5", "INV6", "INV7"}) payDocument(*s, ref);
  const auto customers = s->column("cCustid1");
  ASSERT_EQ(Rows(customers.begin(), customers.begin() + 3), (Rows{"P1", "C1", "P1"}));
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  bool reported = false;
  for (const auto& line : s->session().messages().statusLog())
    reported |= line.text == "Duplicate reference number for customer P1";
  EXPECT_TRUE(reported);
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"O"});
  EXPECT_EQ(rows("select count(*) from ARDoc where DocType = 'PA'"), Rows{"0"});
  EXPECT_EQ(rows("select count(*) from ARAdjust"), Rows{"0"});
  EXPECT_EQ(rows("select distinct ARRefNbr || LineStatus from XNADetail"), Rows{""});
  // Released again in an order that keeps each customer's lines together, it pays every one.
  ASSERT_TRUE(s->set("cSortOrder", "D"));
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(rows("select RefNbr, printf('%.2f', CuryDocBal) from ARDoc where RefNbr in"
                 " ('INV5', 'INV6', 'INV7', 'CHK1') order by RefNbr"),
            (Rows{"CHK1|380.00", "INV5|0.00", "INV6|0.00", "INV7|0.00"}));
}

// A clerk may enter a payment but not release it; given the release right but
// not the host payment screen's, the release is refused before it writes
// anything there; with both, it pays. On a server every step runs as the
// clerk's own server role.
TEST_F(Release, TheClerksRightsDecideWhetherAReleaseGoes) {
  signon::UserDirectory users(*db_);
  users.addUser("CLERK1", "Clerk", "pass one", false);
  users.grant("CLERK1", "QM18300", "VIUD");
  users.grant("CLERK1", "0803000", "VIU");
  ::setenv("CORVENA_PASSWORD", "pass one", 1);
  {
    auto s = openPayment("500");
    payDocument(*s, "INV1");
    EXPECT_FALSE(s->set("cBatchHandling", "R"));
    EXPECT_EQ(s->messages(), Rows{forms::formatMessage(forms::kMsgNoRights, {"release batches"})});
  }
  users.grant("CLERK1", "QM18300", "VIUDR");
  auto s = openPayment("500");
  payDocument(*s, "INV1");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_TRUE(s->save());
  EXPECT_EQ(s->messages(), Rows{"You have no rights to release batches on 0803000, through which "
                                "this batch is released."});
  EXPECT_EQ(s->session().messages().statusLog().size(), 0u);
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"O"});
  EXPECT_EQ(rows("select (select count(*) from Batch where EditScrnNbr = '08030'),"
                 " (select count(*) from ARDoc where DocType = 'PA'), count(*) from ARAdjust"),
            Rows{"0|0|0"});
  users.grant("CLERK1", "0803000", "VIUR");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_TRUE(s->save());
  ::unsetenv("CORVENA_PASSWORD");
  ::unsetenv("CORVENA_TICKET");
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(balances(), (Rows{"CHK1|400.00", "INV1|0.00", "INV2|300.00", "INV3|80.00"}));
}

// A credit's release raises its debit memo on the invoice and memo screen: a
// clerk without the release right there is refused before any memo is raised.
TEST_F(Release, ACreditIsReleasedOnlyWithTheRightToRaiseItsDebitMemo) {
  signon::UserDirectory users(*db_);
  users.addUser("CLERK1", "Clerk", "pass one", false);
  users.grant("CLERK1", "QM18300", "VIUDR");
  users.grant("CLERK1", "0801000", "VIU");
  users.grant("CLERK1", "0803000", "VIUR");
  ::setenv("CORVENA_PASSWORD", "pass one", 1);
  auto s = openCredit();
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_TRUE(s->save());
  EXPECT_EQ(s->messages(), Rows{"You have no rights to release batches on 0801000, through which "
                                "this batch is released."});
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"O"});
  EXPECT_EQ(rows("select count(*) from ARDoc where DocType = 'DM'"), Rows{"0"});
  users.grant("CLERK1", "0801000", "VIUR");
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_TRUE(s->save());
  ::unsetenv("CORVENA_PASSWORD");
  ::unsetenv("CORVENA_TICKET");
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(rows("select RefNbr, printf('%.2f', CuryDocBal) from ARDoc where RefNbr in ('CM1', 'INV1')"
                 " order by RefNbr"),
            (Rows{"CM1|100.00", "INV1|0.00"}));
}

// A credit batch whose release got as far as its debit memo, then stopped:
// marked "P", or killed before it could mark it with the memo released or not.
// Released again, it raises one memo in all and pays through it.
struct MemoLeftBehind {
  const char* status;
  int memoReleased;
  const char* told;  // the start of what the clerk is told at the recall
};

class ReleaseAfterTheMemo : public Release, public ::testing::WithParamInterface<MemoLeftBehind> {};

TEST_P(ReleaseAfterTheMemo, RaisesNoSecondMemo) {
  const auto& c = GetParam();
  addDoc({.cust = "P1", .type = "CM", .ref = "CM1", .balance = 200});
  addDoc({.cust = "P1", .type = "DM", .ref = "DCMCM101", .balance = 200, .released = c.memoReleased});
  db_->exec("update ARDoc set DocDesc = 'NA0000000040-CMCM1' where RefNbr = 'DCMCM101'");
  addHeader("0000000040", c.status, "CM", "CMCM101", 200, "P1", "CM1");
  addDetail("0000000040", "P1", "IN", "INV1", 100);
  addDetail("0000000040", "C1", "IN", "INV2", 100);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000040"));
  const auto told = s->messages();
  ASSERT_EQ(told.size(), std::string(c.told).empty() ? 0u : 1u);
  if (!told.empty()) EXPECT_EQ(told[0].rfind(c.told, 0), 0u) << told[0];
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  EXPECT_EQ(s->messages(), told);
  EXPECT_EQ(rows("select Status from XNAHeader"), Rows{"C"});
  EXPECT_EQ(rows("select count(*) from ARDoc where DocType = 'DM'"), Rows{"1"});
  EXPECT_EQ(rows("select RefNbr, printf('%.2f', CuryDocBal) from ARDoc where RefNbr in"
                 " ('CM1', 'DCMCM101', 'INV1', 'INV2') order by RefNbr"),
            (Rows{"CM1|0.00", "DCMCM101|0.00", "INV1|0.00", "INV2|200.00"}));
}

// Whatever one release leaves in the window, the next batch recalled there releases too.
TEST_F(Release, TwoBatchesReleaseOneAfterTheOtherInOneWindow) {
  for (const char* n : {"40", "41"}) {
    const std::string batch = std::string("00000000") + n, credit = std::string("CM") + n;
    const std::string memo = "DCM" + std::string(n);
    addDoc({.cust = "P1", .type = "CM", .ref = credit, .balance = 50});
    addDoc({.cust = "P1", .type = "DM", .ref = memo, .balance = 50});
    db_->exec("update ARDoc set DocDesc = 'NA" + batch + "-CM' where RefNbr = '" + memo + "'");
    addHeader(batch, "P", "CM", "CM" + std::string(n) + "01", 50, "P1", credit);
  }
  addDetail("0000000040", "P1", "IN", "INV1", 50);
  addDetail("0000000041", "C1", "IN", "INV2", 50);
  auto s = open();
  for (const char* batch : {"0000000040", "0000000041"}) {
    ASSERT_TRUE(s->set("cNABatNbr", batch));
    ASSERT_TRUE(s->set("cBatchHandling", "R"));
    ASSERT_TRUE(s->save()) << batch;
    EXPECT_EQ(s->messages(), Rows{});
  }
  EXPECT_EQ(rows("select Status from XNAHeader order by NABatNbr"), (Rows{"C", "C"}));
  EXPECT_EQ(rows("select RefNbr, printf('%.2f', CuryDocBal) from ARDoc where RefNbr in"
                 " ('INV1', 'INV2', 'CM40', 'CM41') order by RefNbr"),
            (Rows{"CM40|0.00", "CM41|0.00", "INV1|50.00", "INV2|250.00"}));
}

INSTANTIATE_TEST_SUITE_P(
    Release, ReleaseAfterTheMemo,
    ::testing::Values(MemoLeftBehind{"P", 1, ""},
                      MemoLeftBehind{"O", 1, "An earlier release of this batch had released"},
                      MemoLeftBehind{"O", 0, "An earlier release of this batch was interrupted"}),
    [](const auto& info) {
      return std::string(info.param.status) + (info.param.memoReleased ? "MemoReleased" : "MemoUnreleased");
    });

}  // namespace
}  // namespace corvena::payapp::testing
