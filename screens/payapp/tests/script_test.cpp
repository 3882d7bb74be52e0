// QM18300 run as its program runs, driven by a screen script as a clerk works:
// a payment typed straight after opening, batches recalled, sorted, deleted.

#include "runtime/kelpbas.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class ScriptRecall : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    runtime::resetRuntimeState();
    ::setenv("CORVENA_REGISTRY", scratch_.file("registry").c_str(), 1);
    addDoc({.cust = "C1", .ref = "R2", .due = Date{2026, 4, 9}});
    addDoc({.cust = "P1", .ref = "R1", .due = Date{2026, 4, 1}});
    addHeader("0000000021", "O", "NP", "CHK21", 300);
    addHeader("0000000022", "O", "NP", "CHK22", 100);
    addDetail("0000000021", "C1", "IN", "R2", 75);
  }
  std::string run(const std::string& script) {
    return screens::testing::runScript(qm18300Program(), {path_}, script,
                                       host::defaultHostServices())
        .output;
  }
};

TEST_F(ScriptRecall, RecalledBatchShowsItsApplicationsInTheChosenOrder) {
  const std::string out =
      run("set cNABatNbr 0000000021\n"
          "expect cBatchHandling H\n"
          "expect CApplyTotal 75.00\n"
          "set cSortOrder5 F\n"
          "line Spread1 1\n"
          "expect cRefNbr R1\n"
          "line Spread1 2\n"
          "expect cRefNbr R2\n"
          "expect cCuryApplAmt 75.00\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
}

TEST_F(ScriptRecall, ReferenceOfAnotherBatchIsRefused) {
  const std::string out =
      run("set cNABatNbr 0000000021\n"
          "set cNARefNbr CHK22\n"
          "expect cNARefNbr CHK21\n");
  EXPECT_NE(out.find(hostMessage(3007)), std::string::npos) << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
}

// Opening, cancelling and the toolbar's New each leave a new batch with its defaults.
TEST_F(ScriptRecall, APaymentTypedStraightAfterOpeningOrCancelIsSavedWithItsDefaults) {
  const std::string out =
      run("set cCustId P1\nset cNARefNbr CHK77\nset cOrigDocAmt 100\nsave\n"
          "cancel\nset cCustId P1\nset cNARefNbr CHK78\nset cOrigDocAmt 50\nsave\n"
          "new 0\nset cCustId P1\nset cNARefNbr CHK79\nset cOrigDocAmt 20\nsave\n");
  EXPECT_EQ(out.find("REFUSED"), std::string::npos) << out;
  EXPECT_EQ(rows("select CpnyId, CustId, Status, vond1 from XNAHeader where RefNbr like 'CHK7%' "
                 "group by 1, 2, 3, 4 having count(*) = 3"),
            std::vector<std::string>{"CO1|P1|O|NP"});
}

TEST_F(ScriptRecall, ADeletedBatchSavedAgainWritesNothing) {
  const std::string out =
      run("set cNABatNbr 0000000022\n"
          "delete 0\n"
          "save\n");
  EXPECT_NE(out.find("REFUSED save"), std::string::npos) << out;
  EXPECT_EQ(rows("select NABatNbr from XNAHeader"), std::vector<std::string>{"0000000021"});
}

// The credit's document is found whether it still has a balance or this
// batch's release used it up; the parent's name shows once it is known.
TEST_F(ScriptRecall, ARecalledCreditBatchShowsItsDocumentAndParent) {
  addDoc({.cust = "P1", .type = "CM", .ref = "CM1", .balance = 50});
  addDoc({.cust = "P1", .type = "PA", .ref = "PA2", .balance = 0});
  addHeader("0000000023", "O", "CM", "CM1", 50, "P1", "CM1");
  addHeader("0000000024", "C", "PA", "PA2", 60, "P1", "PA2");
  for (const char* batch : {"0000000023", "0000000024"}) {
    const std::string out = run(std::string("set cNABatNbr ") + batch +
                                "\nexpect lName \"Parent One\"\nshow lFromCust\n");
    EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
    EXPECT_NE(out.find("SHOW lFromCust: From Customer: P1"), std::string::npos) << out;
  }
}

TEST_F(ScriptRecall, ARefusedCustomerLeavesTheParentsNameShown) {
  const std::string out =
      run("set cCustId P1\n"
          "set cCustId C1\n"
          "expect cCustId P1\n"
          "expect lName \"Parent One\"\n");
  EXPECT_NE(out.find("REFUSED cCustId"), std::string::npos) << out;
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
}

TEST_F(ScriptRecall, TheLinesBatchNumberIsNeitherShownNorTyped) {
  const std::string out =
      run("set cNABatNbr 0000000021\n"
          "line Spread1 1\n"
          "set cNABatNbrD 0000000099\n"
          "show Spread1\n");
  EXPECT_NE(out.find("REFUSED cNABatNbrD"), std::string::npos) << out;
  EXPECT_EQ(out.find("0000000099"), std::string::npos) << out;
  EXPECT_EQ(out.find("| 0000000021"), std::string::npos) << out;
}

}  // namespace
}  // namespace corvena::payapp::testing
