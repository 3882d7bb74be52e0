// QM18800 driven by screen scripts: the three searches over batches applied and
// released, the messages for a missing selection, and the fields each search opens.
#include "platform/db/tests/test_database.h"
#include "platform/forms/headless_ui.h"
#include "runtime/kelpbas.h"
#include "screens/inquiry/qm18800.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::qm18800::testing {
namespace {

class Inquiry : public ::testing::Test {
 protected:
  Inquiry() {
    auto db = db::Database::create(dir_.database("company.db"));
    db->exec(
        "INSERT INTO Customer (CustId, Name) VALUES ('P1', 'Parent'), ('C1', 'Child'),"
        " ('P2', 'Other');"
        "INSERT INTO XNAHeader (NABatNbr, CustId, RefNbr, vond1, Status, ARBatNbr, RevBatNbr,"
        " OrigDocAmt) VALUES ('0000000001', 'P1', 'CHK1', 'NP', 'V', '000201', '000301', 300),"
        " ('0000000002', 'P1', 'CHK''2', 'NP', 'C', '000202', '', 100);"
        "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, ARRefNbr, CuryApplAmt, LineStatus)"
        " VALUES ('0000000001', 'P1', 'IN', 'INV1', 'CHK1', 60, 'C'),"
        " ('0000000001', 'C1', 'IN', 'INV2', 'NCHK1', 240, 'C'),"
        " ('0000000002', 'P1', 'IN', 'INV1', 'CHK''2', 40, 'C')");
  }
  std::string run(const std::string& script) {
    return run(script, [](forms::Session&) {});
  }
  // The script, then `after` with the screen still open.
  template <class After>
  std::string run(const std::string& script, After after) {
    runtime::ScreenDefinition screen{.program = "QM18800", .form = QM18800Form,
                                     .registerHandlers = [](forms::Form& f) { registerHandlers(f); }};
    screens::testing::ScreenUnderTest s(
        screen, {dir_.database("company.db"), "CLERK1", "CO1", "2026-12-15"});
    if (!s.ended()) {
      const int code = s.run(script);
      after(s.session());
      s.close(code);
    }
    return s.output();
  }
  db::testing::ScratchDir dir_;
};

TEST_F(Inquiry, EachSearchListsOneLinePerHeaderAndDetail) {
  const std::string byPayment =
      run("set cCustomer P1\nset cCheckNbr CHK1\nclick cmdRefresh\nshow spread1\n");
  EXPECT_NE(byPayment.find("SHOW spread1: 2 lines"), std::string::npos) << byPayment;
  EXPECT_NE(byPayment.find("NCHK1 | "), std::string::npos) << byPayment;
  const std::string byInvoice =
      run("set optSearchType I\nset cInvcNbr INV1\nclick cmdRefresh\nshow spread1\n");
  EXPECT_NE(byInvoice.find("SHOW spread1: 2 lines"), std::string::npos) << byInvoice;
  // The first batch was reversed: its status says so, and names the reversal's batch.
  const std::string byCheck =
      run("set optSearchType S\nset cCustomer2 C1\nset cCheckNbr2 NCHK1\nclick cmdRefresh\n"
          "line spread1 1\nexpect cApplyCustID C1\nexpect cCustID P1\nexpect cApplAmt 240.00\n"
          "expect cBatStatus V\nexpect cRevBatch 000301\n");
  EXPECT_EQ(byCheck.find("FAIL"), std::string::npos) << byCheck;
}

TEST_F(Inquiry, AQuoteInASelectionIsOnlyAValue) {
  const std::string out =
      run("set cCustomer P1\nset cCheckNbr \"CHK'2\"\nclick cmdRefresh\nshow spread1\n");
  EXPECT_NE(out.find("SHOW spread1: 1 line\n"), std::string::npos) << out;
}

TEST_F(Inquiry, AMissingSelectionIsSaidAndEmptiesTheGrid) {
  const std::string out =
      run("set cCustomer P1\nset cCheckNbr CHK1\nclick cmdRefresh\nset cCustomer P1\n"
          "expect cCheckNbr \"\"\nclick cmdRefresh\nshow spread1\n"
          "set optSearchType I\nclick cmdRefresh\n");
  EXPECT_NE(out.find("Customer ID and Check Number fields must be filled in."), std::string::npos);
  EXPECT_NE(out.find("SHOW spread1: 0 lines"), std::string::npos) << out;
  EXPECT_NE(out.find("Invoice Number field must be filled in."), std::string::npos) << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
}

TEST_F(Inquiry, ASearchTypeOpensItsFieldsAndKeepsTheOthersValues) {
  const std::string out =
      run("set cCustomer P1\nset optSearchType I\nset cCustomer P2\nexpect cCustomer P1\n"
          "set cInvcNbr INV1\nset optSearchType C\nexpect cInvcNbr INV1\nsave\n");
  EXPECT_NE(out.find("REFUSED cCustomer"), std::string::npos) << out;
  EXPECT_NE(out.find("REFUSED save"), std::string::npos) << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
}

// An inquiry saves nothing: at a desk, closing it after a search asks nothing.
TEST_F(Inquiry, ClosingAfterASearchAsksNothing) {
  std::size_t asked = 1;
  run("set cCustomer P1\nset cCheckNbr CHK1\nclick cmdRefresh\n", [&](forms::Session& s) {
    auto& desk = dynamic_cast<forms::HeadlessUi&>(s.ui());
    desk.setAsksBeforeDropping(true);
    const std::size_t before = desk.messages().size();
    EXPECT_TRUE(s.updates().settleUnsaved("closing"));
    asked = desk.messages().size() - before;
  });
  EXPECT_EQ(asked, 0u);
}

}  // namespace
}  // namespace corvena::qm18800::testing
