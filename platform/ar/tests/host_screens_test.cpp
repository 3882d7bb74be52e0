// 0801000 and 0803000 driven by screen scripts as a clerk works them, on the
// demo company: documents entered, applied and released, and the refusals.
#include <sstream>

#include "platform/ar/document_inquiry.h"
#include "platform/ar/invoice_entry.h"
#include "platform/ar/ledger.h"
#include "platform/ar/payment_entry.h"
#include "platform/automation/script_driver.h"
#include "platform/db/tests/test_database.h"
#include "platform/demo/demo_data.h"
#include "platform/forms/messages.h"
#include "platform/program/host_program.h"
#include "platform/signon/user_directory.h"

namespace corvena::ar::testing {
namespace {

using Rows = std::vector<std::string>;

const program::HostScreenProgram kInvoices{"0801000", invoiceEntryForm, attachInvoiceEntry};
const program::HostScreenProgram kDocuments{"0325000", documentInquiryForm, attachDocumentInquiry};
const program::HostScreenProgram kPayments{"0803000", paymentEntryForm, attachPaymentEntry};

class HostScreens : public ::testing::Test {
 protected:
  HostScreens() {
    auto db = db::Database::create(dir_.database("company.db"));
    demo::fillDemo(*db);
  }
  void TearDown() override {
    ::unsetenv("CORVENA_PASSWORD");
    ::unsetenv("CORVENA_TICKET");
    EXPECT_EQ(ledgerProblems(*open()), Rows{});
  }

  std::unique_ptr<db::Database> open() { return db::Database::open(dir_.database("company.db")); }
  std::string run(const program::HostScreenProgram& screen, const std::string& script,
                  const std::vector<std::string>& parameters = {}) {
    forms::Session session;
    forms::SessionScope scope(session);
    const auto handlers = program::openHostScreen(
        session, {dir_.database("company.db"), user_, "DEMO", Date{2026, 12, 31}, password_},
        screen, parameters);
    std::ostringstream out;
    automation::ScriptDriver(session, out).run(script);
    return out.str();
  }
  Rows rows(const std::string& sql) {
    auto db = open();
    Rows out;
    db::Statement st = db->prepare(sql);
    while (st.step()) out.push_back(db::rowText(st));
    return out;
  }
  // An invoice of NATL-AUTO for 245, numbered by the host, saved in a batch handled as given.
  static std::string invoiceSaved(const std::string& handling, const std::string& control = "245") {
    return "set cbathandling \"" + handling + "\"\nset cctrltot " + control +
           "\nset cCustID NATL-AUTO\nset cOrigDocAmt 245\nset cProjectID_Hdr STORE-REFIT\n"
           "line Spread1 new\nset cAcct 4000\nset cqty 2\nset cUnitPrice 122.50\nsave\n";
  }
  // The same, the batch then completed.
  std::string invoice(const std::string& handling, const std::string& control = "245") {
    return run(kInvoices, invoiceSaved(handling, control) + "show cRefNbr\nnew 0\nshow lErrorText\n");
  }
  // Two clerks: CLERK1 enters on every screen, CLERK2 also releases.
  void addClerks() {
    auto db = open();
    signon::UserDirectory users(*db);
    users.addUser("CLERK1", "Clerk", "pass one", false);
    users.addUser("CLERK2", "Supervisor", "pass two", false);
    users.grant("CLERK1", "*", "VIUD");
    users.grant("CLERK2", "*", "VIUDR");
  }
  void signOnAs(const std::string& user, const std::string& password) {
    user_ = user;
    password_ = password;
  }
  // Two batches by number: whether released, and who last wrote each.
  Rows batches(const std::string& one, const std::string& other) {
    return rows("SELECT BatNbr, Rlsed, LUpd_User FROM Batch WHERE BatNbr IN ('" + one + "', '" +
                other + "') ORDER BY BatNbr");
  }
  std::string newestBatch(const std::string& screen) {
    return rows("SELECT BatNbr FROM Batch WHERE EditScrnNbr = '" + screen +
                "' ORDER BY BatNbr DESC LIMIT 1")
        .at(0);
  }
  std::string newest() {
    return rows("SELECT RefNbr FROM ARDoc WHERE Crtd_Prog = '08010' ORDER BY RefNbr DESC LIMIT 1")
        .at(0);
  }

  // An invoice released, then paid to zero by payment TCHK1; its reference.
  std::string paidInvoice() {
    const std::string out = invoice("Release Now");
    EXPECT_NE(out.find("SHOW lErrorText: \n"), std::string::npos) << out;
    const std::string ref = newest();
    EXPECT_EQ(rows("SELECT printf('%.2f', CuryDocBal), OpenDoc, Rlsed FROM ARDoc WHERE RefNbr = '" +
                   ref + "'"),
              Rows{"245.00|1|1"});
    const std::string paid =
        run(kPayments,
            "set cbathandling \"Release Now\"\nset cctrltot 245\nset cCustID NATL-AUTO\n"
            "set cRefNbr TCHK1\nset cOrigDocAmt 245\nlast 2\nexpect crefnbr1 " + ref +
                "\nset ctranamt 245\nsave\nnew 0\nshow lErrorText\n");
    EXPECT_EQ(paid.find("FAIL"), std::string::npos) << paid;
    return ref;
  }
  // A reversal of TCHK1 entered, and the batch completed with Release Now.
  std::string reverse(const std::string& ref, const std::string& date = "") {
    return run(kPayments,
               "set cbathandling \"Release Now\"\nset cctrltot 245\nset cCustID NATL-AUTO\n"
               "set cDocType Reversal\nset cRefNbr " + ref + "\n" +
                   (date.empty() ? "" : "set cDocDate " + date + "\n") +
                   "set cRevRefNbr TCHK1\nexpect cOrigDocAmt 245.00\nset cDocDesc \"Returned check\"\n"
                   "save\nnew 0\nshow lErrorText\n");
  }

  // Credit memo TCM1 of 30 and debit memo TDM1 of 50 of NATL-AUTO, released.
  void creditAndDebitMemoReleased() {
    run(kInvoices,
        "set cbathandling \"Release Now\"\nset cctrltot 80\nset cRefNbr TCM1\nset cDocType CM\n"
        "set cCustID NATL-AUTO\nset cOrigDocAmt 30\nset cProjectID_Hdr STORE-REFIT\n"
        "line Spread1 new\nset cAcct 4000\nset cTranAmt 30\nsave\n"
        "set cRefNbr TDM1\nset cDocType DM\nset cCustID NATL-AUTO\nset cOrigDocAmt 50\n"
        "set cProjectID_Hdr STORE-REFIT\nline Spread1 new\nset cAcct 4000\nset cTranAmt 50\n"
        "save\nnew 0\n");
  }

  db::testing::ScratchDir dir_;
  std::string user_ = "CLERK", password_;
};

TEST_F(HostScreens, AnInvoiceReleasedIsPaidByAPaymentDownToZero) {
  const std::string ref = paidInvoice();
  EXPECT_EQ(rows("SELECT RefNbr, printf('%.2f', CuryDocBal), OpenDoc FROM ARDoc WHERE RefNbr IN"
                 " ('" + ref + "', 'TCHK1') ORDER BY DocType"),
            (Rows{ref + "|0.00|0", "TCHK1|0.00|0"}));
  // The document inquiry, started as another screen starts it, follows the payment.
  const std::string shown =
      run(kDocuments, "show cStatus\nshow Spread1\n", {"4", "1000", ref, "NATL-AUTO"});
  EXPECT_NE(shown.find("SHOW cStatus: Closed"), std::string::npos) << shown;
  EXPECT_NE(shown.find("Paid by | PA | TCHK1 | 245.00 | 0.00 | 2026-12-31 | 000112 | Yes"), std::string::npos)
      << shown;
}

// A returned check: the clerk reverses the released payment; the invoice is
// open again, the payment closed and reversed, and a second reversal refused.
TEST_F(HostScreens, AReleasedPaymentIsReversedAndItsInvoiceIsOpenAgain) {
  const std::string ref = paidInvoice();
  const std::string early = reverse("TREV0", "2026-12-30");
  EXPECT_NE(early.find("RV TREV0 of NATL-AUTO is dated before PA TCHK1 of NATL-AUTO (2026-12-31)."),
            std::string::npos)
      << early;
  const std::string out = reverse("TREV1");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("SHOW lErrorText: \n"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT DocType, RefNbr, printf('%.2f', CuryDocBal), OpenDoc, RevDocType, RevRefNbr"
                 " FROM ARDoc WHERE RefNbr IN ('" + ref + "', 'TCHK1', 'TREV1') ORDER BY DocType"),
            (Rows{"IN|" + ref + "|245.00|1||", "PA|TCHK1|0.00|0|RV|TREV1",
                  "RV|TREV1|0.00|0|PA|TCHK1"}));
  const std::string shown = run(kDocuments, "show cStatus\nshow cReversal\n", {"4", "1000", "TCHK1", "NATL-AUTO"});
  EXPECT_EQ(shown, "SHOW cStatus: Reversed\nSHOW cReversal: Reversed by RV TREV1\n");
  const std::string again =
      run(kPayments, "set cCustID NATL-AUTO\nset cDocType Reversal\nset cRefNbr TREV2\nset cRevRefNbr TCHK1\n");
  EXPECT_NE(again.find("PA TCHK1 of NATL-AUTO is already reversed by RV TREV1.\nREFUSED cRevRefNbr"),
            std::string::npos)
      << again;
}

TEST_F(HostScreens, ABatchOnHoldOrOffItsControlTotalIsSavedNotReleased) {
  EXPECT_NE(invoice("Hold").find("is on hold"), std::string::npos);
  const std::string off = invoice("Release Now", "240");
  EXPECT_NE(off.find("The control total 240.00 does not equal the batch total 245.00."),
            std::string::npos)
      << off;
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARDoc WHERE Crtd_Prog = '08010' AND Rlsed = 0"), Rows{"2"});
}

TEST_F(HostScreens, ADuplicateReferenceIsRefusedWithTheHostMessage) {
  const std::string out =
      run(kInvoices,
          "set cRefNbr 000676\nset cCustID NATL-AUTO\nset cOrigDocAmt 5\n"
          "set cProjectID_Hdr STORE-REFIT\nsave\n");
  EXPECT_NE(out.find(forms::formatMessage(3007, {})), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED save"), std::string::npos);
  const std::string payment = "set cCustID NATL-AUTO\nset cRefNbr TCHK9\n";
  run(kPayments, payment + "set cOrigDocAmt 10\nsave\n");
  const std::string again = run(kPayments, payment);
  EXPECT_NE(again.find(forms::formatMessage(3007, {})), std::string::npos) << again;
  EXPECT_NE(again.find("REFUSED cRefNbr"), std::string::npos) << again;
}

// A line posted to the document's own AR account would move AR and leave the GL still.
TEST_F(HostScreens, ALineOnItsDocumentsOwnARAccountIsRefused) {
  const std::string out =
      run(kInvoices,
          "set cDocType CM\nset cCustID NATL-AUTO\nline Spread1 new\nset cAcct 1200\n"
          "set cAcct 4000\nexpect cAcct 4000\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("1200 is the AR account of this document; its lines post to another account."
                     "\nREFUSED cAcct"),
            std::string::npos)
      << out;
}

TEST_F(HostScreens, AnApplicationBeyondTheBalanceOrDiscountIsRefused) {
  const std::string out =
      run(kPayments,
          "set cCustID NATL-AUTO\nset cRefNbr TCHK2\nset cOrigDocAmt 99999\nline Spread1 1\n"
          "set ctranamt 99999\nset cCuryUnitPrice 1\nsave\n");
  EXPECT_NE(out.find(forms::formatMessage(217, {})), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED cCuryUnitPrice"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARAdjust WHERE AdjgRefNbr = 'TCHK2'"), Rows{"0"});
}

// A customer's credit memo, selected by its reference, pays its debit memo.
TEST_F(HostScreens, AnOpenCreditIsSelectedAndAppliedWithoutCash) {
  creditAndDebitMemoReleased();
  const std::string out = run(
      kPayments,
      "set cbathandling \"Release Now\"\nset cCustID NATL-AUTO\nset cDocType \"Credit Memo\"\n"
      "set cRefNbr TCM1\nexpect cOrigDocAmt 30.00\nlast 2\nexpect crefnbr1 TDM1\n"
      "set ctranamt 30\nsave\nnew 0\nshow lErrorText\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT RefNbr, printf('%.2f', CuryDocBal) FROM ARDoc WHERE RefNbr IN"
                 " ('TCM1', 'TDM1') ORDER BY RefNbr"),
            (Rows{"TCM1|0.00", "TDM1|20.00"}));
}

// A batch saved with "Release Now" and recalled by a clerk without the release
// right stays unreleased when completed, on either screen, and the clerk is
// told why; completed by a clerk who holds the right, it releases in that name.
TEST_F(HostScreens, OnlyAClerkWithTheReleaseRightReleasesARecalledBatch) {
  addClerks();
  signOnAs("CLERK2", "pass two");
  run(kPayments,
      "set cbathandling \"Release Now\"\nset cctrltot 100\nset cCustID NATL-AUTO\n"
      "set cRefNbr TCHK3\nset cOrigDocAmt 100\nline Spread1 1\nset ctranamt 40\nsave\n");
  run(kInvoices, invoiceSaved("Release Now"));
  const std::string payments = newestBatch("08030"), invoices = newestBatch("08010");
  const Rows saved = batches(payments, invoices);
  ASSERT_EQ(saved, (Rows{payments + "|0|CLERK2", invoices + "|0|CLERK2"}));
  signOnAs("CLERK1", "pass one");
  for (const auto& [screen, batch] : {std::pair{&kPayments, payments}, {&kInvoices, invoices}}) {
    const std::string out =
        run(*screen, "set cBatNbr " + batch + "\nclick cmdComplete\nshow lErrorText\n");
    EXPECT_NE(out.find("SHOW lErrorText: User CLERK1 may not release batches on this screen: batch " +
                       batch + " is saved, not released.\n"),
              std::string::npos)
        << out;
  }
  EXPECT_EQ(batches(payments, invoices), saved);
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARDoc WHERE Rlsed = 1 AND BatNbr IN ('" + payments + "', '" +
                 invoices + "')"),
            Rows{"0"});
  signOnAs("CLERK2", "pass two");
  const std::string out =
      run(kPayments, "set cBatNbr " + payments + "\nclick cmdComplete\nshow lErrorText\n");
  EXPECT_NE(out.find("SHOW lErrorText: \n"), std::string::npos) << out;
  EXPECT_EQ(batches(payments, invoices), (Rows{payments + "|1|CLERK2", invoices + "|0|CLERK2"}));
  EXPECT_EQ(rows("SELECT Rlsed, LUpd_User FROM ARDoc WHERE BatNbr = '" + payments + "'"),
            Rows{"1|CLERK2"});
}

// Numbering an AR batch or document shares its procedure with the module's
// batches; a clerk of the AR screens alone still numbers and saves, and on a
// server may write no more of the module's setup than its last numbers.
TEST_F(HostScreens, AClerkOfInvoicesAloneNumbersAndSavesTheirBatch) {
  {
    auto db = open();
    signon::UserDirectory users(*db);
    users.addUser("ADMIN", "Administrator", "pass admin", true);
    users.addUser("INVOICER", "Invoices only", "pass three", false);
    users.grant("INVOICER", "0801000", "VIUD");
  }
  signOnAs("INVOICER", "pass three");
  const std::string out = invoice("Hold");
  EXPECT_EQ(out.find("MESSAGE"), std::string::npos) << out;
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARDoc WHERE Crtd_User = 'INVOICER' AND CuryOrigDocAmt = 245"),
            Rows{"1"});
  if (open()->dialect() != db::Database::Dialect::PostgreSQL) return;
  const auto asInvoicer = db::Database::open(dir_.database("company.db"),
                                             db::Database::Access::Edit, {"INVOICER", "pass three"});
  EXPECT_THROW(asInvoicer->exec("UPDATE XNASetup SET vond1 = '9999'"), db::DbError);
}

// A held batch recalled by its number alone, no document on the screen, is
// released when completed with "Release Now", and numbers no document.
TEST_F(HostScreens, AHeldBatchRecalledByItsNumberAloneIsReleased) {
  invoice("Hold");
  const std::string invoices = newestBatch("08010");
  run(kPayments,
      "set cctrltot 100\nset cCustID NATL-AUTO\nset cRefNbr TCHK3\nset cOrigDocAmt 100\nsave\n");
  const std::string payments = newestBatch("08030");
  const Rows numbered = rows("SELECT LastNbr FROM AutoNumber WHERE Source = 'ARRefNbr'");
  for (const auto& [screen, batch] : {std::pair{&kInvoices, invoices}, {&kPayments, payments}}) {
    const std::string out = run(*screen, "set cBatNbr " + batch +
                                             "\nset cbathandling \"Release Now\"\n"
                                             "click cmdComplete\nshow lErrorText\n");
    EXPECT_EQ(out, "SHOW lErrorText: \n");
  }
  EXPECT_EQ(batches(invoices, payments), (Rows{invoices + "|1|CLERK", payments + "|1|CLERK"}));
  EXPECT_EQ(rows("SELECT LastNbr FROM AutoNumber WHERE Source = 'ARRefNbr'"), numbered);
}

// A released batch recalled keeps its documents and itself, on either screen.
TEST_F(HostScreens, WhatARReleasedIsNotDeleted) {
  const std::string ref = paidInvoice();
  const std::string payments = newestBatch("08030"), invoices = newestBatch("08010");
  const std::string refused = "Batch " + payments + " is released; it cannot be changed.";
  const std::string out = run(kPayments, "set cBatNbr " + payments +
                                             "\nfirst 1\ndelete 1\nshow cRefNbr\ndelete 0\n");
  EXPECT_EQ(out, "MESSAGE Message (48): " + refused + "\nREFUSED delete\nSHOW cRefNbr: TCHK1\n"
                 "MESSAGE Message (48): " + refused + "\nREFUSED delete\n");
  EXPECT_NE(run(kInvoices, "set cBatNbr " + invoices + "\nfirst 1\ndelete 1\n").find("is released"),
            std::string::npos);
  EXPECT_EQ(rows("SELECT RefNbr FROM ARDoc WHERE RefNbr IN ('" + ref + "', 'TCHK1') ORDER BY RefNbr"),
            (Rows{ref, "TCHK1"}));
  EXPECT_EQ(batches(invoices, payments), (Rows{invoices + "|1|CLERK", payments + "|1|CLERK"}));
}

// A payment deleted takes its applications with it, so its batch still
// releases; a credit selected to apply stays in AR, and the batch stays while
// it applies the credit.
TEST_F(HostScreens, ADeletedPaymentTakesItsApplicationsAndASelectedCreditStays) {
  creditAndDebitMemoReleased();
  const std::string out = run(
      kPayments,
      "set cCustID NATL-AUTO\nset cDocType \"Credit Memo\"\nset cRefNbr TCM1\nlast 2\n"
      "set ctranamt 30\nsave\ndelete 1\nnew 1\nset cCustID NATL-AUTO\nset cRefNbr TB1\n"
      "set cOrigDocAmt 20\nlast 2\nset ctranamt 20\nsave\nshow ccrtot\ndelete 1\nshow ccrtot\n"
      "delete 0\n"
      "set cbathandling \"Release Now\"\nset cctrltot 0\nsave\nnew 0\nshow lErrorText\n");
  EXPECT_EQ(out,
            "MESSAGE Message (48): CM TCM1 of NATL-AUTO is released and stays in AR; to take it out"
            " of this batch, clear what it applies and save.\nREFUSED delete\nSHOW ccrtot: 20.00\n"
            "SHOW ccrtot: 0.00\n"
            "MESSAGE Message (48): Batch " + newestBatch("08030") +
                " still holds documents or applications; take them out first.\nREFUSED delete\n"
                "SHOW lErrorText: \n");
  EXPECT_EQ(rows("SELECT COUNT(*) FROM ARDoc WHERE RefNbr = 'TB1'"), Rows{"0"});
  EXPECT_EQ(rows("SELECT AdjgRefNbr, printf('%.2f', CuryAdjdAmt), Rlsed FROM ARAdjust"
                 " WHERE AdjdRefNbr = 'TDM1'"),
            Rows{"TCM1|30.00|1"});
  EXPECT_EQ(rows("SELECT RefNbr, printf('%.2f', CuryDocBal) FROM ARDoc WHERE RefNbr IN"
                 " ('TCM1', 'TDM1') ORDER BY RefNbr"),
            (Rows{"TCM1|0.00", "TDM1|20.00"}));
}

}  // namespace
}  // namespace corvena::ar::testing
