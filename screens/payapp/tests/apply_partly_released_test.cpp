// A partially released batch: its debit memo is in AR, so no amount of it may
// change; only batch handling stays open so the release can be repeated.

#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {
namespace {

constexpr const char* kRefusal = "Cannot modify application for a Partially Released batch.";

class PartlyReleased : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100, .discBal = 2});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addHeader("0000000050", "P", "NP", "CHK50", 500);
    addDetail("0000000050", "C1", "IN", "INV2", 120);
  }

  std::unique_ptr<OpenScreen> recalled() {
    auto s = open();
    EXPECT_TRUE(s->set("cNABatNbr", "0000000050"));
    return s;
  }

  // Drives the handler itself: the screen disables some of these fields, and
  // the refusal must hold for a field left enabled all the same.
  static int check(OpenScreen& s, int (*handler)(std::string&), std::string text) {
    return s.within([&] { return handler(text); });
  }

  static void expectRefused(OpenScreen& s) {
    EXPECT_EQ(lastMessage(s).text, kRefusal);
    EXPECT_EQ(lastMessage(s).caption, "System Message");
    EXPECT_EQ(lastMessage(s).style, 48);
    EXPECT_EQ(cell(s, "INV2", "cCuryApplAmt"), "120.00");
    EXPECT_EQ(cell(s, "INV1", "cCuryApplAmt"), "0.00");
    EXPECT_DOUBLE_EQ(s.app().bXHeader.ApplyTotal, 120);
    EXPECT_DOUBLE_EQ(s.app().bXNAHeader.OrigDocAmt, 500);
  }
};

TEST_F(PartlyReleased, TheDiscountIsRefused) {
  auto s = recalled();
  EXPECT_FALSE(enter(*s, "INV1", "cDiscAmt", "1"));
  expectRefused(*s);
  EXPECT_EQ(cell(*s, "INV1", "cDiscAmt"), "0.00");
}

TEST_F(PartlyReleased, PayDocumentIsRefused) {
  auto s = recalled();
  payDocument(*s, "INV1");
  expectRefused(*s);
  expectTotalsMatchLines(*s);
}

TEST_F(PartlyReleased, TheApplyAmountIsRefused) {
  auto s = recalled();
  pick(*s, "INV1");
  EXPECT_EQ(check(*s, cCuryApplAmt_ValueCheck, "10"), host::SilentRefusal);
  expectRefused(*s);
}

TEST_F(PartlyReleased, ThePaymentAmountIsRefused) {
  auto s = recalled();
  EXPECT_EQ(check(*s, cOrigDocAmt_ValueCheck, "50"), host::SilentRefusal);
  expectRefused(*s);
}

TEST_F(PartlyReleased, BatchHandlingStaysOpen) {
  auto s = recalled();
  EXPECT_TRUE(s->set("cBatchHandling", "R"));
  EXPECT_TRUE(s->ui().messages().empty());
}

}  // namespace
}  // namespace corvena::payapp::testing
