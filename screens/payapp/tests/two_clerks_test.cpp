// Two clerks at once on one national account: a document's balance is taken
// once, lines of one batch are never overwritten, a deleted batch stays deleted.
#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Rows = std::vector<std::string>;

class TwoClerks : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
  }
  std::unique_ptr<OpenScreen> recall(const std::string& batch) {
    auto s = open();
    EXPECT_TRUE(s->set("cNABatNbr", batch));
    return s;
  }
  Rows applied() { return sorted(rows("select RefNbr, CuryApplAmt from XNADetail")); }
};

// Together within the balance or not, a document one open batch holds is
// refused to another at its save, which names the batch that holds it.
TEST_F(TwoClerks, ADocumentIsHeldByOneOpenBatchWhoeverSavesSecond) {
  auto a = openPayment("500");
  auto b = openPayment("500");
  ASSERT_TRUE(b->set("cNARefNbr", "CHK2"));
  ASSERT_TRUE(enter(*b, "INV2", "cCuryApplAmt", "10"));
  ASSERT_TRUE(enter(*a, "INV1", "cCuryApplAmt", "60"));
  ASSERT_TRUE(enter(*b, "INV1", "cCuryApplAmt", "40"));
  ASSERT_TRUE(a->save());
  EXPECT_FALSE(b->save());
  const std::string holder = a->app().bXNAHeader.NABatNbr.trimmed();
  EXPECT_NE(lastMessage(*b).text.find("P1 IN INV1: batch " + holder), std::string::npos)
      << lastMessage(*b).text;
  EXPECT_EQ(lastMessage(*b).text.find("INV2"), std::string::npos);
  EXPECT_EQ(applied(), Rows{"INV1|60.000000"});
  ASSERT_TRUE(enter(*b, "INV1", "cCuryApplAmt", "0"));
  ASSERT_TRUE(b->save());
  EXPECT_EQ(applied(), sorted({"INV1|60.000000", "INV2|10.000000"}));
}

// Batches saved before the rule held, both paying part of one document: each
// shows its own line again on recall, rather than hiding it behind the other.
TEST_F(TwoClerks, ABatchRecalledShowsItsOwnSavedLines) {
  addHeader("0000000040", "O", "NP", "CHK40", 500);
  addDetail("0000000040", "P1", "IN", "INV1", 30);
  addHeader("0000000041", "O", "NP", "CHK41", 500);
  addDetail("0000000041", "P1", "IN", "INV1", 20);
  EXPECT_EQ(cell(*recall("0000000041"), "INV1", "cCuryApplAmt"), "20.00");
  EXPECT_EQ(cell(*recall("0000000040"), "INV1", "cCuryApplAmt"), "30.00");
  EXPECT_EQ(cell(*openPayment("500"), "INV1", "cCuryApplAmt"), "<not listed>");
  db_->exec("delete from XNADetail where NABatNbr = '0000000041'");  // what the invariants forbid
}

TEST_F(TwoClerks, OneCheckNumberTypedByTwoClerksIsSavedOnce) {
  auto a = openPayment("500");
  auto b = openPayment("500");
  ASSERT_TRUE(a->save());
  EXPECT_FALSE(b->save());
  EXPECT_EQ(lastMessage(*b).text, hostMessage(3007));
  EXPECT_EQ(rows("select RefNbr from XNAHeader"), Rows{"CHK1"});
}

TEST_F(TwoClerks, AnUnreleasedHostPaymentCountsAgainstTheBalance) {
  auto a = openPayment("500");
  ASSERT_TRUE(enter(*a, "INV1", "cCuryApplAmt", "95"));
  addUnreleasedApplication("P1", "IN", "INV1");  // 10 applied in the host meanwhile
  EXPECT_FALSE(a->save());
  EXPECT_TRUE(applied().empty());
}

TEST_F(TwoClerks, LinesOfOneBatchSavedByTwoClerksNeverOverwriteEachOther) {
  addHeader("0000000040", "O", "NP", "CHK40", 500);
  addDetail("0000000040", "P1", "IN", "INV1", 50);
  auto a = recall("0000000040");
  auto b = recall("0000000040");
  ASSERT_TRUE(enter(*a, "INV2", "cCuryApplAmt", "70"));
  ASSERT_TRUE(a->save());
  ASSERT_TRUE(enter(*b, "INV1", "cCuryApplAmt", "90"));
  EXPECT_FALSE(b->save());
  EXPECT_EQ(lastMessage(*b).text, forms::formatMessage(forms::kMsgChangedByOther, {"Header"}));
  EXPECT_EQ(applied(), sorted({"INV1|50.000000", "INV2|70.000000"}));
}

TEST_F(TwoClerks, ABatchDeletedMeanwhileIsNotSavedAgain) {
  addHeader("0000000040", "O", "NP", "CHK40", 500);
  addDetail("0000000040", "P1", "IN", "INV1", 50);
  auto a = recall("0000000040");
  auto b = recall("0000000040");
  ASSERT_TRUE(a->within([&] { return a->session().updates().deleteLevel(0); }));
  ASSERT_TRUE(enter(*b, "INV2", "cCuryApplAmt", "70"));
  EXPECT_FALSE(b->save());
  EXPECT_TRUE(rows("select NABatNbr from XNAHeader").empty());
  EXPECT_TRUE(applied().empty());
}

}  // namespace
}  // namespace corvena::payapp::testing
