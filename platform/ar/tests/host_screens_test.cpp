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
#include "platform/shell/host_program.h"

namespace corvena::ar::testing {
namespace {

using Rows = std::vector<std::string>;

const shell::HostScreenProgram kInvoices{"0801000", invoiceEntryForm, attachInvoiceEntry};
const shell::HostScreenProgram kDocuments{"0325000", documentInquiryForm, attachDocumentInquiry};
const shell::HostScreenProgram kPayments{"0803000", paymentEntryForm, attachPaymentEntry};

class HostScreens : public ::testing::Test {
 protected:
  HostScreens() {
    auto db = db::Database::create(dir_.database("company.db"));
    demo::fillDemo(*db);
  }
  void TearDown() override { EXPECT_EQ(ledgerProblems(*open()), Rows{}); }

  std::unique_ptr<db::Database> open() { return db::Database::open(dir_.database("company.db")); }
  std::string run(const shell::HostScreenProgram& screen, const std::string& script,
                  const std::vector<std::string>& parameters = {}) {
    forms::Session session;
    forms::SessionScope scope(session);
    const auto handlers = shell::openHostScreen(
        session, {dir_.database("company.db"), "CLERK", "DEMO", Date{2026, 12, 31}}, screen,
        parameters);
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
  // An invoice of NATL-AUTO for 245, numbered by the host, in a batch completed as given.
  std::string invoice(const std::string& handling, const std::string& control = "245") {
    return run(kInvoices, "set cbathandling \"" + handling + "\"\nset cctrltot " + control +
                              "\nset cCustID NATL-AUTO\nset cOrigDocAmt 245\n"
                              "set cProjectID_Hdr STORE-REFIT\nline Spread1 new\nset cAcct 4000\n"
                              "set cqty 2\nset cUnitPrice 122.50\nsave\nshow cRefNbr\nnew 0\n"
                              "show lErrorText\n");
  }
  std::string newest() {
    return rows("SELECT RefNbr FROM ARDoc WHERE Crtd_Prog = '08010' ORDER BY RefNbr DESC LIMIT 1")
        .at(0);
  }

  db::testing::ScratchDir dir_;
};

TEST_F(HostScreens, AnInvoiceReleasedIsPaidByAPaymentDownToZero) {
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
  run(kInvoices,
      "set cbathandling \"Release Now\"\nset cctrltot 80\nset cRefNbr TCM1\nset cDocType CM\n"
      "set cCustID NATL-AUTO\nset cOrigDocAmt 30\nset cProjectID_Hdr STORE-REFIT\n"
      "line Spread1 new\nset cAcct 4000\nset cTranAmt 30\nsave\n"
      "set cRefNbr TDM1\nset cDocType DM\nset cCustID NATL-AUTO\nset cOrigDocAmt 50\n"
      "set cProjectID_Hdr STORE-REFIT\nline Spread1 new\nset cAcct 4000\nset cTranAmt 50\n"
      "save\nnew 0\n");
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

}  // namespace
}  // namespace corvena::ar::testing
