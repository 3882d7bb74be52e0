// "Import Remittance..." as a clerk uses it on QM18300: a chain's remittance file
// fills a new payment through the screen's own checks, every line is reviewed,
// and nothing is saved until the clerk saves.

#include <fstream>
#include <sstream>

#include "platform/automation/script_driver.h"
#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

class RemitImport : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "P1", .ref = "R1", .balance = 100});
    addDoc({.cust = "C1", .ref = "R2", .balance = 200, .discBal = 4});
    addDoc({.cust = "C2", .ref = "R3", .balance = 300});
    addDoc({.cust = "C1", .ref = "R4", .balance = 0});
    addDoc({.cust = "C2", .ref = "R5", .balance = 80});
    addHeader("0000000021", "O", "NP", "CHK21", 80);
    addDetail("0000000021", "C2", "IN", "R5", 80);
    addDoc({.cust = "C1", .ref = "R6", .balance = 60});
    addUnreleasedApplication("C1", "IN", "R6");
  }

  std::string file(const std::string& name, const std::string& text) {
    const auto path = scratch_.file(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // The screen driven by a script, as the screen's program runs one.
  std::string script(OpenScreen& screen, const std::string& text) {
    std::ostringstream out;
    screen.within([&] {
      automation::ScriptDriver driver(screen.session(), out);
      return driver.run(text);
    });
    return out.str();
  }

  static constexpr const char* kHeader =
      "Check Number,Check Date,Check Amount,Store,Invoice,Discount,Paid\n";
};

TEST_F(RemitImport, TheBatchIsFilledAsTypedEveryLineIsReviewedAndNothingSavedUntilTheClerkSaves) {
  const std::string path = file("chain.csv", std::string(kHeader) +
                                                 "CHK500,2026-02-10,600,C1,R2,4,196\n"
                                                 "CHK500,2026-02-10,600,Child Two,R3,,250\n"
                                                 "CHK500,2026-02-10,600,,r1,,100\n"
                                                 "CHK500,2026-02-10,600,X9,R9,,10\n"
                                                 "CHK500,2026-02-10,600,C1,R4,,5\n"
                                                 "CHK500,2026-02-10,600,C2,R5,,20\n"
                                                 "CHK500,2026-02-10,600,C1,R6,,10\n");
  auto s = open();
  const std::string out = script(*s, "set cCustId P1\nimport " + path +
                                         "\n"
                                         "expect cNARefNbr CHK500\n"
                                         "expect cDocDate 2026-02-10\n"
                                         "expect cOrigDocAmt 600.00\n"
                                         "expect CApplyTotal 546.00\n"
                                         "expect cDiscTotal 4.00\n"
                                         "expect cUnappliedAmt 54.00\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  for (const char* line :
       {"REMIT 2 | C1 | R2 | 196.00 | 4.00 | Applied | C1 | IN R2 | 196.00 | 4.00 | \n",
        "REMIT 3 | Child Two | R3 | 250.00 | 0.00 | Short | C2 | IN R3 | 250.00 | 0.00 | Short "
        "by 50.00.\n",
        "REMIT 4 |  | r1 | 100.00 | 0.00 | Applied | P1 | IN R1 | 100.00 | 0.00 | \n",
        "REMIT 5 | X9 | R9 | 10.00 | 0.00 | Not applied |  |  | 0.00 | 0.00 | Store \"X9\" is "
        "not a customer of the national account.\n",
        "REMIT 6 | C1 | R4 | 5.00 | 0.00 | Not applied | C1 | IN R4 | 0.00 | 0.00 | Document "
        "R4 is closed.\n",
        "REMIT 7 | C2 | R5 | 20.00 | 0.00 | Not applied | C2 | IN R5 | 0.00 | 0.00 | Document "
        "R5 is held by batch 0000000021.\n",
        "REMIT 8 | C1 | R6 | 10.00 | 0.00 | Not applied | C1 | IN R6 | 0.00 | 0.00 | Document "
        "R6 cannot be paid in this batch: an unreleased AR payment applies to it, or it is "
        "another company's.\n",
        "REMIT Check CHK500 of 600.00: 3 of 7 lines applied, 546.00 applied, 4.00 discount, "
        "54.00 unapplied.\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << out;
  EXPECT_EQ(value("select count(*) from XNAHeader where RefNbr = 'CHK500'"), "0");
  ASSERT_TRUE(s->save());
  EXPECT_EQ(sorted(rows("select d.CustId, d.RefNbr, cast(d.CuryApplAmt * 100 as integer), "
                        "cast(d.DiscAmt * 100 as integer) from XNADetail d "
                        "join XNAHeader h on h.NABatNbr = d.NABatNbr where h.RefNbr = 'CHK500'")),
            (std::vector<std::string>{"C1|R2|19600|400", "C2|R3|25000|0", "P1|R1|10000|0"}));
}

TEST_F(RemitImport, AFileThatCannotBeTakenWholeAppliesNothing) {
  const std::string overrun = file("overrun.csv", std::string(kHeader) +
                                                      "CHK500,2026-02-10,250,C1,R2,,196\n"
                                                      "CHK500,2026-02-10,250,C2,R3,,60\n");
  const std::string broken = file("broken.csv", std::string(kHeader) +
                                                    "CHK500,2026-02-10,600,C1,R2,,196\n"
                                                    "CHK500,2026-02-10,600,C2,R3,,2x5\n");
  auto s = open();
  const std::string out =
      script(*s, "set cCustId P1\nimport " + overrun + "\nimport " + broken +
                     "\nexpect cNARefNbr \"\"\nexpect cOrigDocAmt 0.00\nexpect CApplyTotal 0.00\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("The remittance's lines pay 256.00, more than its check of 250.00: nothing "
                     "was applied."),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Line 3: \"2x5\" is not an amount (paid). Nothing was imported."),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("REMIT"), std::string::npos) << out;
}

TEST_F(RemitImport, OnlyANewPaymentTakesARemittance) {
  const std::string path = file("chain.csv", std::string(kHeader) + "CHK500,,50,C1,R2,,50\n");
  auto s = open();
  const std::string out = script(*s, "set cNABatNbr 0000000021\nimport " + path +
                                         "\nexpect cNARefNbr CHK21\n"
                                         "new 0\nimport " +
                                         path + "\nexpect cNARefNbr \"\"\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("A remittance is imported into a new payment with nothing applied yet: press "
                     "New first."),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("The remittance does not name its payer: enter the parent first."),
            std::string::npos)
      << out;
}

// A store on hold takes no payment when typed; imported, its line is refused the same way.
TEST_F(RemitImport, ALineTheScreenRefusesAsTypedIsRefusedAndListed) {
  db_->exec("update Customer set Status = 'H' where CustId = 'C2'");
  const std::string path = file("chain.csv", std::string(kHeader) +
                                                 "CHK500,2026-02-10,600,C1,R2,,200\n"
                                                 "CHK500,2026-02-10,600,C2,R3,,300\n");
  auto s = open();
  const std::string out = script(*s, "set cCustId P1\nimport " + path +
                                         "\nexpect CApplyTotal 200.00\n"
                                         "expect cUnappliedAmt 400.00\n");
  EXPECT_EQ(out.find("FAIL"), std::string::npos) << out;
  EXPECT_NE(out.find("Customer C2 is on hold: AR takes no documents for it."), std::string::npos)
      << out;
  EXPECT_NE(out.find("REMIT 3 | C2 | R3 | 300.00 | 0.00 | Not applied | C2 | IN R3 | 0.00 | 0.00 "
                     "| Refused by the screen, as it would refuse typing it.\n"),
            std::string::npos)
      << out;
}

}  // namespace
}  // namespace corvena::payapp::testing
