// Recalling a batch by its number: batch handling and the fields each status leaves open.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class BatchRecall : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "C1", .ref = "INV100"});
  }
  const std::vector<std::string> headerFields{"cCustId",  "cNARefNbr", "cOrigDocAmt", "cDocDate",
                                              "cPerPost", "cType",     "cCMRefNbr"};
};

TEST_F(BatchRecall, OpenBatchGetsHoldAndOpenFields) {
  addHeader("0000000001", "O");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000001"));
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "H");
  for (const auto& name : headerFields) EXPECT_TRUE(s->enabled(name)) << name;
  EXPECT_TRUE(s->enabled("cBatchHandling"));
  EXPECT_TRUE(s->enabled("cCuryApplAmt"));
  EXPECT_TRUE(s->enabled("cDiscAmt"));
}

TEST_F(BatchRecall, PartiallyReleasedBatchLeavesOnlyBatchHandlingOpen) {
  addHeader("0000000002", "P");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000002"));
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "N");
  for (const auto& name : headerFields) EXPECT_FALSE(s->enabled(name)) << name;
  EXPECT_TRUE(s->enabled("cBatchHandling"));
  EXPECT_FALSE(s->enabled("cCuryApplAmt"));
  EXPECT_EQ(s->lineCount(), 1u);
}

TEST_F(BatchRecall, ClosedBatchIsReadOnly) {
  addHeader("0000000003", "C");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000003"));
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "N");
  for (const auto& name : headerFields) EXPECT_FALSE(s->enabled(name)) << name;
  EXPECT_FALSE(s->enabled("cBatchHandling"));
  EXPECT_FALSE(s->enabled("cCuryApplAmt"));
  EXPECT_FALSE(s->enabled("cDiscAmt"));
  EXPECT_FALSE(s->enabled("cmdImport"));
  EXPECT_FALSE(s->enabled("cbAutoApply"));
  EXPECT_EQ(s->run("new 0\n"), 0) << s->output();
  EXPECT_TRUE(s->enabled("cmdImport"));
  EXPECT_TRUE(s->enabled("cbAutoApply"));
}

TEST_F(BatchRecall, OpenBatchAfterClosedOneReopensTheFields) {
  addHeader("0000000003", "C");
  addHeader("0000000004", "O", "NP", "CHK4");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000003"));
  ASSERT_TRUE(s->set("cNABatNbr", "0000000004"));
  EXPECT_EQ(s->app().bXHeader.BatchHandling.trimmed(), "H");
  EXPECT_TRUE(s->enabled("cCustId"));
  EXPECT_TRUE(s->enabled("cCuryApplAmt"));
  EXPECT_TRUE(s->enabled("cDiscAmt"));
}

TEST_F(BatchRecall, CreditBatchShowsItsDocumentAndLocksTheAmount) {
  addDoc({.cust = "C2", .type = "CM", .ref = "CM77", .balance = 300});
  addHeader("0000000005", "O", "CM", "CMCM7701", 300, "P1", "CM77");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000005"));
  EXPECT_FALSE(s->enabled("cOrigDocAmt"));
  EXPECT_TRUE(s->enabled("cCMRefNbr"));
  EXPECT_NE(s->control("cCMRefNbr").property("pv").find("XNAShowAllClosedDocsForParent"),
            std::string::npos);
}

TEST_F(BatchRecall, NewPaymentBatchTypesTheAmount) {
  addHeader("0000000006", "O");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000006"));
  EXPECT_TRUE(s->enabled("cOrigDocAmt"));
  EXPECT_EQ(s->control("cCMRefNbr").property("pv"), "");
  EXPECT_EQ(s->shown("lFromCust"), "");
}

// New and Cancel after a closed credit batch give a new payment as the screen
// opened: its fields open, the last batch's customer, credit and amounts gone,
// and what is typed in it saved.
TEST_F(BatchRecall, NewOrCancelAfterAClosedCreditBatchIsAFreshPayment) {
  addDoc({.cust = "P1", .type = "CM", .ref = "CM77", .balance = 300});
  addHeader("0000000007", "C", "CM", "CMCM7701", 300, "P1", "CM77");
  for (const bool cancel : {false, true}) {
    auto s = open();
    ASSERT_TRUE(s->set("cNABatNbr", "0000000007"));
    ASSERT_NE(s->shown("lName"), "");
    ASSERT_TRUE(cancel ? s->within([&] { return s->session().updates().cancel(); })
                       : s->newBatch());
    for (const auto& name : headerFields) EXPECT_TRUE(s->enabled(name)) << name;
    EXPECT_TRUE(s->enabled("cBatchHandling"));
    EXPECT_TRUE(s->enabled("cCuryApplAmt"));
    for (const char* blank : {"lName", "lPhone", "lFromCust", "cCustId", "cNABatNbr"})
      EXPECT_EQ(s->shown(blank), "") << blank;
    EXPECT_EQ(s->shown("cUnappliedAmt"), "0.00");
    EXPECT_EQ(s->shown("cType"), "NP");
    EXPECT_EQ(s->control("cCMRefNbr").property("pv"), "");
    ASSERT_TRUE(s->set("cCustId", "P1"));
    ASSERT_TRUE(s->set("cNARefNbr", cancel ? "CHK21" : "CHK20"));
    ASSERT_TRUE(s->set("cOrigDocAmt", "50"));
    EXPECT_EQ(s->shown("cUnappliedAmt"), "50.00");
    ASSERT_TRUE(s->save());
  }
  EXPECT_EQ(rows("select RefNbr, Status, vond1 from XNAHeader where NABatNbr <> '0000000007'"
                 " order by RefNbr"),
            (std::vector<std::string>{"CHK20|O|NP", "CHK21|O|NP"}));
}

}  // namespace
}  // namespace corvena::payapp::testing
