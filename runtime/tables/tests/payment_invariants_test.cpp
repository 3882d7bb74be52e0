// The payments' invariants: silent on sound data, and each broken rule named
// with its offender.
#include "runtime/tables/payment_invariants.h"
#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

class PaymentInvariants : public Company {
 protected:
  void SetUp() override {
    document("P1", "IN", "INV1", 100);
    document("P1", "CM", "CM1", 100);
    db->exec(
        "INSERT INTO XNAHeader (NABatNbr, CustId, RefNbr, vond1, Status, OrigDocAmt) VALUES"
        " ('0000000001', 'P1', 'CHK1', 'NP', 'O', 80), ('0000000002', 'P1', 'CHK2', 'NP', 'C', 90);"
        "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, CuryApplAmt) VALUES"
        " ('0000000001', 'P1', 'IN', 'INV1', 60), ('0000000002', 'P1', 'IN', 'INV1', 90)");
  }
  std::string only() {
    const auto problems = paymentInvariantProblems(*db);
    return problems.size() == 1 ? problems[0] : std::to_string(problems.size()) + " problems";
  }
};

TEST_F(PaymentInvariants, SoundDataHasNone) {
  EXPECT_TRUE(paymentInvariantProblems(*db).empty());
  // A release AR refused left its host batch, noted on the batch: the same money, not more.
  db->exec("INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, CuryAdjdAmt)"
           " VALUES ('H1', 'P1', 'IN', 'INV1', 60);"
           "UPDATE XNAHeader SET ARBatNbr = 'H1' WHERE NABatNbr = '0000000001'");
  EXPECT_TRUE(paymentInvariantProblems(*db).empty());
}

struct Broken {
  const char* sql;
  const char* problem;
};

TEST_F(PaymentInvariants, EachBrokenRuleIsNamedWithItsOffender) {
  const Broken cases[] = {
      {"UPDATE XNAHeader SET OrigDocAmt = 200 WHERE NABatNbr = '0000000001';"
       "UPDATE XNADetail SET CuryApplAmt = 100.01 WHERE NABatNbr = '0000000001'",
       "document applied beyond its balance: P1 IN INV1 holds 100.01 of 100.00"},
      {"INSERT INTO XNAHeader (NABatNbr, CustId, RefNbr, vond1, Status, OrigDocAmt)"
       " VALUES ('0000000003', 'P1', 'CHK3', 'NP', 'O', 50);"
       "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, CuryApplAmt)"
       " VALUES ('0000000003', 'P1', 'IN', 'INV1', 40)",
       "document held by two open batches: P1 IN INV1"},
      {"UPDATE XNADetail SET LineStatus = 'C' WHERE NABatNbr = '0000000001'",
       "line marked paid in a batch not closed: 0000000001 INV1"},
      {"UPDATE XNAHeader SET ARBatNbr = '000009' WHERE NABatNbr = '0000000002'",
       "batch closed on an AR batch not released: 0000000002 000009"},
      {"INSERT INTO ARAdjust (AdjBatNbr, CustId, AdjdDocType, AdjdRefNbr, CuryAdjdAmt)"
       " VALUES ('H1', 'P1', 'IN', 'INV1', 41)",
       "document applied beyond its balance: P1 IN INV1 holds 101.00 of 100.00"},
      {"UPDATE ARDoc SET CuryDocBal = 110.01 WHERE RefNbr = 'INV1'",
       "document balance outside 0 to its amount: P1 IN INV1"},
      {"UPDATE XNAHeader SET OrigDocAmt = 59.99 WHERE NABatNbr = '0000000001'",
       "batch applies more than its payment: 0000000001"},
      {"DELETE FROM XNAHeader WHERE NABatNbr = '0000000001'",
       "application line without its batch: 0000000001 INV1"},
      {"UPDATE XNADetail SET CuryApplAmt = 0.005 WHERE NABatNbr = '0000000001'",
       "amount negative or not at the cent: 0000000001 INV1"},
      {"UPDATE XNAHeader SET RefNbr = 'CHK1'",
       "payment reference used by two batches of a customer: P1 CHK1"},
      {"INSERT INTO XNATranHdr (NATrBatNbr, SrcCustID, SrcDocType, SrcRefNbr, SrcAmt, Status)"
       " VALUES ('0000000001', 'P1', 'CM', 'CM1', 60, 'C'), ('0000000002', 'P1', 'CM', 'CM1', 40.01, 'O')",
       "credit transferred beyond its balance: P1 CM CM1 held 100.01 of 100.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    db::Transaction tx(*db);
    db->exec(c.sql);
    EXPECT_EQ(only(), c.problem);
  }
}

}  // namespace
}  // namespace corvena::testing
