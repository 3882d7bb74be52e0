// "Reverse Batch..." on a released batch: every host payment it made, and for a
// credit what the credit applied, taken back in AR through the host's payment
// application screen; the batch "V" with its lines, never reversed twice.
#include "platform/forms/messages.h"
#include "platform/signon/user_directory.h"
#include "screens/payapp/tests/release_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class Reverse : public ReleaseTest {
 protected:
  // P1's check CHK1 of 500: INV1 paid, 120 of INV2, the rest left to the parent.
  std::unique_ptr<OpenScreen> released() {
    auto s = openPayment("500");
    payDocument(*s, "INV1");
    EXPECT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "120"));
    EXPECT_TRUE(s->set("cBatchHandling", "R"));
    EXPECT_TRUE(s->save());
    EXPECT_EQ(s->app().bXNAHeader.Status.trimmed(), "C");
    return s;
  }
  // The dialog waits as a modal form does: the script goes on in it. A date it
  // refuses leaves it open, for Cancel.
  static void reverse(OpenScreen& s, const std::string& date = "", bool refused = false) {
    s.run("click cmdReverse\n" + (date.empty() ? "" : "set cRevDate " + date + "\n") +
          "set cRevReason \"Returned check\"\nclick cmdReverseOK\n" +
          (refused ? "click cmdReverseCancel\n" : ""));
  }
  Rows invoices() {
    return rows("select RefNbr, printf('%.2f', CuryDocBal), OpenDoc from ARDoc"
                " where DocType in ('IN', 'DM') order by RefNbr");
  }
  // The reversed documents, each with its reversal; the reversals released.
  Rows reversed() {
    return rows("select p.CustId, p.DocType, p.RefNbr, printf('%.2f', p.CuryDocBal), r.RefNbr,"
                " r.Rlsed from ARDoc p join ARDoc r on r.CustId = p.CustId and r.DocType = 'RV'"
                " and r.RevDocType = p.DocType and r.RevRefNbr = p.RefNbr order by p.CustId, p.RefNbr");
  }
  // The batch's status, and whether it notes the reversal's AR batch.
  std::string header() {
    return value("select Status || case when RevBatNbr <> '' then '|noted' else '|' end from XNAHeader");
  }
};

TEST_F(Reverse, ANewPaymentOverParentAndChildIsReversedAndTheInvoicesAreOpenAgain) {
  const Rows before = invoices();
  auto s = released();
  ASSERT_NE(invoices(), before);
  auto other = open();
  ASSERT_TRUE(other->set("cNABatNbr", value("select NABatNbr from XNAHeader")));
  reverse(*s);
  EXPECT_EQ(s->messages(), Rows{});
  EXPECT_EQ(invoices(), before);
  EXPECT_EQ(reversed(), (Rows{"C1|PA|NCHK1|0.00|RNCHK1|1", "P1|PA|CHK1|0.00|RCHK1|1"}));
  const std::string revBatch = value("select RevBatNbr from XNAHeader");
  EXPECT_EQ(header(), "V|noted");
  EXPECT_EQ(value("select Rlsed || DocDesc from ARDoc where RefNbr = 'RCHK1'"), "1Returned check");
  EXPECT_EQ(s->session().messages().statusLog().back().text,
            "Reversed in AR as batch " + revBatch + ".");
  // The batch keeps its lines, shows itself reversed and is not reversed again.
  EXPECT_EQ(rows("select RefNbr, LineStatus from XNADetail order by RefNbr"),
            (Rows{"INV1|C", "INV2|C"}));
  EXPECT_FALSE(s->enabled("cmdReverse"));
  EXPECT_FALSE(s->enabled("cCustId"));
  auto recalled = open();
  ASSERT_TRUE(recalled->set("cNABatNbr", value("select NABatNbr from XNAHeader")));
  EXPECT_EQ(sorted(recalled->documents()), (Rows{"C1/IN/INV2", "P1/IN/INV1"}));
  EXPECT_EQ(recalled->shown("CApplyTotal"), "220.00");
  // A window that showed it closed before is refused as it asks.
  ASSERT_TRUE(other->click("cmdReverse"));
  EXPECT_EQ(other->messages().back(), "This batch is already reversed, in AR batch " + revBatch + ".");
  EXPECT_EQ(value("select count(*) from ARDoc where DocType = 'RV'"), "2");
}

// The wash payments and the credit's application to its debit memo come back:
// the credit and the memo are open again, the invoices as before.
TEST_F(Reverse, ACreditBatchIsReversedAndTheCreditAndItsMemoAreOpenAgain) {
  auto s = openCredit();
  ASSERT_TRUE(enter(*s, "INV2", "cCuryApplAmt", "50"));
  ASSERT_TRUE(s->set("cBatchHandling", "R"));
  ASSERT_TRUE(s->save());
  reverse(*s);
  EXPECT_EQ(s->messages(), Rows{});
  EXPECT_EQ(header(), "V|noted");
  EXPECT_EQ(invoices(), (Rows{"DCMCM101|150.00|1", "INV1|100.00|1", "INV2|300.00|1", "INV3|80.00|1"}));
  EXPECT_EQ(value("select printf('%.2f', CuryDocBal) || OpenDoc from ARDoc where RefNbr = 'CM1'"),
            "200.001");
  EXPECT_EQ(reversed(), (Rows{"C1|PA|CMCM101|0.00|RCMCM101|1", "P1|CM|CM1|200.00|R000000101|1",
                              "P1|PA|CMCM101|0.00|RCMCM101|1"}));
  // What the wash payments cleared is back on the memo.
  EXPECT_EQ(value("select printf('%.2f', coalesce(sum(DrAmt) - sum(CrAmt), 0)) from GLTran"
                  " where Acct = '1010'"),
            "-150.00");
}

TEST_F(Reverse, AReversalIsRefusedForAClerkWithoutTheReleaseRight) {
  released();
  signon::UserDirectory users(*db_);
  users.addUser("CLERK1", "Clerk", "pass one", false);
  ::setenv("CORVENA_PASSWORD", "pass one", 1);
  const auto refused = [&](const char* qm18300, const char* ar) {
    users.grant("CLERK1", "QM18300", qm18300);
    users.grant("CLERK1", "0803000", ar);
    auto s = open();
    EXPECT_TRUE(s->set("cNABatNbr", value("select NABatNbr from XNAHeader")));
    EXPECT_TRUE(s->click("cmdReverse"));
    return s->messages().empty() ? std::string() : s->messages().back();
  };
  EXPECT_EQ(refused("VIUD", "VIUR"), forms::formatMessage(forms::kMsgNoRights, {"release batches"}));
  EXPECT_EQ(refused("VIUDR", "VIU"),
            "You have no rights to release batches on 0803000, through which this batch is released.");
  ::unsetenv("CORVENA_PASSWORD");
  ::unsetenv("CORVENA_TICKET");
  EXPECT_EQ(header(), "C|");
  EXPECT_EQ(value("select count(*) from ARDoc where DocType = 'RV'"), "0");
}

TEST_F(Reverse, ADateBeforeThePaymentOrInAClosedPeriodIsRefused) {
  auto s = released();
  reverse(*s, "2026-03-01", true);
  EXPECT_EQ(s->messages().back(), "A reversal cannot be dated before the payment it reverses (2026-03-02).");
  db_->exec("update ARSetup set CurrPerNbr = '202604'");
  auto later = open("CO1", Date{2026, 4, 2});
  ASSERT_TRUE(later->set("cNABatNbr", value("select NABatNbr from XNAHeader")));
  reverse(*later, "2026-03-31", true);
  EXPECT_EQ(later->messages().back(),
            "Period 202603 is closed: a reversal is dated in an open period (202604 or later).");
  EXPECT_EQ(header(), "C|");
  EXPECT_EQ(value("select count(*) from ARDoc where DocType = 'RV'"), "0");
}

// Killed half way, a reversal left an unreleased reversal in AR: the next try
// removes it and reverses; killed after AR released it, the next try only
// marks the batch reversed. Nothing is reversed twice.
TEST_F(Reverse, ASecondTryFinishesOrUndoesAnInterruptedReversal) {
  auto s = released();
  db_->exec(
      "insert into Batch (BatNbr, Module, EditScrnNbr, Status, PerPost, CtrlTot)"
      " values ('KILLED', 'AR', '08030', 'H', '202603', 500);"
      "insert into ARDoc (BatNbr, CustId, DocType, RefNbr, OrigDocAmt, DocDate, RevDocType, RevRefNbr)"
      " values ('KILLED', 'P1', 'RV', 'RCHK1', 380, '2026-03-02', 'PA', 'CHK1')");
  reverse(*s);
  EXPECT_EQ(s->messages().at(0),
            "An earlier reversal of this batch was interrupted; what it left unreleased in AR batch"
            " KILLED was removed.");
  EXPECT_EQ(value("select count(*) from Batch where BatNbr = 'KILLED'"), "0");
  EXPECT_EQ(header(), "V|noted");
  EXPECT_EQ(reversed().size(), 2u);
  const std::string revBatch = value("select RevBatNbr from XNAHeader");
  db_->exec("update XNAHeader set Status = 'C', RevBatNbr = ''");
  auto again = open();
  ASSERT_TRUE(again->set("cNABatNbr", value("select NABatNbr from XNAHeader")));
  reverse(*again);
  EXPECT_EQ(again->messages().back(), "The reversal of this batch had completed in AR as batch " +
                                          revBatch + "; the batch is reversed.");
  EXPECT_EQ(value("select Status || RevBatNbr from XNAHeader"), "V" + revBatch);
  EXPECT_EQ(value("select count(*) from ARDoc where DocType = 'RV'"), "2");
}

}  // namespace
}  // namespace corvena::payapp::testing
