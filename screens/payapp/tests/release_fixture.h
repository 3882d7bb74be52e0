#pragma once
// A national account with an open invoice each for the parent P1 (INV1, 100)
// and its children C1 (INV2, 300) and C2 (INV3, 80), AR's accounts set up and
// the host's AR screens found as programs, so that a batch releases into AR;
// whatever a test did, AR's ledger still holds.

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/ar/ledger.h"
#include "screens/payapp/tests/apply_fixture.h"

namespace corvena::payapp::testing {

class ReleaseTest : public ApplyTest {
 protected:
  void SetUp() override {
    ApplyTest::SetUp();
    ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
    db_->exec(
        "update ARSetup set ArAcct = '1200', ArSub = '00', ChkAcct = '1000', ChkSub = '00',"
        " DiscTknAcct = '4900', DiscTknSub = '00';"
        "insert into Account (Acct, Active) values ('1000', 1), ('1010', 1), ('1200', 1),"
        " ('4900', 1)");
    addDoc({.cust = "P1", .ref = "INV1", .balance = 100});
    addDoc({.cust = "C1", .ref = "INV2", .balance = 300});
    addDoc({.cust = "C2", .ref = "INV3", .balance = 80});
  }
  void TearDown() override {
    EXPECT_EQ(ar::ledgerProblems(*db_), std::vector<std::string>{});
    ApplyTest::TearDown();
  }
  std::vector<std::string> balances() {
    return rows("select RefNbr, printf('%.2f', CuryDocBal) from ARDoc order by RefNbr");
  }
  // A batch of P1's credit memo CM1 (200), 100 of it applied to INV1.
  std::unique_ptr<OpenScreen> openCredit() {
    addDoc({.cust = "P1", .type = "CM", .ref = "CM1", .balance = 200});
    auto s = open();
    EXPECT_TRUE(s->newBatch());
    EXPECT_TRUE(s->set("cCustId", "P1"));
    EXPECT_TRUE(s->set("cType", "CM"));
    EXPECT_TRUE(s->set("cCMRefNbr", "CM1"));
    EXPECT_TRUE(enter(*s, "INV1", "cCuryApplAmt", "100"));
    return s;
  }
};

}  // namespace corvena::payapp::testing
