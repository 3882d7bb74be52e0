// The payment reference generated from the credit chosen to apply.

#include "platform/db/database.h"
#include "runtime/host/kelpapi.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class ReferenceGeneration : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "P1", .type = "CM", .ref = "ABCDEFGH", .balance = 250});
    addDoc({.cust = "P1", .type = "CM", .ref = "CM5", .balance = 80});
  }
  std::unique_ptr<OpenScreen> chooseCredit(const std::string& ref) {
    auto s = open();
    EXPECT_TRUE(s->set("cCustId", "P1"));
    EXPECT_TRUE(s->set("cType", "CM"));
    EXPECT_TRUE(s->set("cCMRefNbr", ref));
    return s;
  }
  void addHostPayment(const std::string& ref) {
    addDoc({.cust = "X9", .type = "PA", .ref = ref, .balance = 0});
  }
};

TEST_F(ReferenceGeneration, LongReferenceIsCutToSixCharacters) {
  auto s = chooseCredit("ABCDEFGH");
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CMABCDEF01");
  EXPECT_FALSE(s->enabled("cNARefNbr"));
  EXPECT_DOUBLE_EQ(s->app().bXNAHeader.OrigDocAmt, 250);
  EXPECT_EQ(s->shown("lFromCust"), "From Customer: P1");
}

TEST_F(ReferenceGeneration, ShortReferenceIsUsedWhole) {
  auto s = chooseCredit("CM5");
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CMCM501");
  EXPECT_DOUBLE_EQ(s->app().bXNAHeader.OrigDocAmt, 80);
}

TEST_F(ReferenceGeneration, CandidatesTakenInARorBatchesAreSkipped) {
  addHostPayment("CMABCDEF01");
  addHeader("0000000040", "C", "CM", "CMABCDEF02");
  auto s = chooseCredit("ABCDEFGH");
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CMABCDEF03");
}

TEST_F(ReferenceGeneration, AllNinetyNineTakenAsksForAReference) {
  for (int n = 1; n <= 99; ++n) {
    char ref[16];
    std::snprintf(ref, sizeof ref, "CMABCDEF%02d", n);
    if (n % 2) {
      addHostPayment(ref);
    } else {
      addHeader("00000001" + std::to_string(n / 10) + std::to_string(n % 10), "O", "CM", ref);
    }
  }
  auto s = chooseCredit("ABCDEFGH");
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "");
  EXPECT_TRUE(s->enabled("cNARefNbr"));
  ASSERT_FALSE(s->messages().empty());
  EXPECT_EQ(s->messages().back(),
            "All 99 unique versions of this reference have been generated.  Please determine a "
            "unique number.");
  EXPECT_EQ(s->ui().messages().back().caption, "National Accounts");
}

TEST_F(ReferenceGeneration, ChoosingACreditZeroesTheApplications) {
  addDoc({.cust = "C1", .ref = "INV100"});
  addHeader("0000000001", "O", "CM", "", 30, "P1", "");
  addDetail("0000000001", "C1", "IN", "INV100", 30);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000001"));
  ASSERT_TRUE(s->set("cCMRefNbr", "CM5"));
  EXPECT_EQ(s->column("cCuryApplAmt"), std::vector<std::string>{"0.00"});
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 0);
}

TEST_F(ReferenceGeneration, RecalledBatchKeepsItsOwnGeneratedReference) {
  addHeader("0000000050", "O", "CM", "CMABCDEF01", 250, "P1", "ABCDEFGH");
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000050"));
  ASSERT_TRUE(s->set("cCMRefNbr", "ABCDEFGH"));
  EXPECT_EQ(s->app().bXNAHeader.RefNbr.trimmed(), "CMABCDEF01");
}

// A hand-written literal directly before a parameter stays a parameter of its own.
TEST_F(ReferenceGeneration, LookUpSendsSeparateParameters) {
  const db::Call call = db::parseCall("ARDoc_CpnyID_Type_Ref2 " + std::string("'%'") +
                                      host::SParm("%") + "'PA'" + host::SParm("O'Neil\\1"));
  EXPECT_EQ(call.procedure, "ARDoc_CpnyID_Type_Ref2");
  ASSERT_EQ(call.params.size(), 4u);
  EXPECT_EQ(std::get<std::string>(call.params[0]), "%");
  EXPECT_EQ(std::get<std::string>(call.params[1]), "%");
  EXPECT_EQ(std::get<std::string>(call.params[2]), "PA");
  EXPECT_EQ(std::get<std::string>(call.params[3]), "O'Neil\\1");
}

}  // namespace
}  // namespace corvena::payapp::testing
