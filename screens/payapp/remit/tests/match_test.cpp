// The matching rules, each on its own: a national account P1 with stores C1 to
// C4 and their documents, and remittance lines that pay them.

#include <gtest/gtest.h>

#include "screens/payapp/remit/remit_match.h"

namespace corvena::remit {
namespace {

class Match : public ::testing::Test {
 protected:
  Match() {
    account_.customers = {{"P1", "Acme Corp"},
                          {"C1", "Acme Store 1"},
                          {"C2", "Acme Store 2"},
                          {"C3", "Twin Store"},
                          {"C4", "Twin Store"}};
    addDoc({.customer = "C1",
            .reference = "000123",
            .balance = 10000,
            .discountBalance = 200,
            .discountDate = Date{2026, 3, 10}});
    addDoc({.customer = "C2", .reference = "000123", .balance = 5000});
    addDoc({.customer = "C1", .reference = "INV-77", .balance = 3000});
    addDoc({.customer = "P1", .type = "DM", .reference = "A100", .balance = 2500});
    addDoc({.customer = "C1", .reference = "555", .state = DocumentState::Closed});
    addDoc({.customer = "C2",
            .reference = "777",
            .balance = 900,
            .state = DocumentState::HeldByBatch,
            .batch = "0000000009"});
    addDoc(
        {.customer = "C1", .reference = "888", .balance = 40, .state = DocumentState::Unavailable});
  }

  struct Doc {
    std::string customer;
    std::string type = "IN";
    std::string reference;
    Cents balance = 0;
    Cents discountBalance = 0;
    Date discountDate;
    DocumentState state = DocumentState::Open;
    std::string batch;
  };
  void addDoc(const Doc& d) {
    account_.documents.push_back({.customer = d.customer,
                                  .reference = d.reference,
                                  .type = d.type,
                                  .balance = d.balance,
                                  .discountBalance = d.discountBalance,
                                  .discountDate = d.discountDate,
                                  .state = d.state,
                                  .batch = d.batch});
  }

  // One line paid by a check of `check` dated 2026-03-05.
  LineMatch one(const RemitLine& line, Cents check = 100000) {
    const auto result = run({line}, check);
    EXPECT_TRUE(result.refusal.empty()) << result.refusal;
    return result.lines.at(0);
  }
  MatchResult run(std::vector<RemitLine> lines, Cents check) {
    Remittance r{.checkNumber = "1001", .checkDate = Date{2026, 3, 5}, .checkAmount = check};
    int source = 2;
    for (auto& l : lines) l.source = source++;
    r.lines = std::move(lines);
    return matchRemittance(r, account_, Date{2026, 3, 2});
  }
  std::string documentOf(const LineMatch& m) {
    if (m.document < 0) return "none";
    const auto& d = account_.documents[m.document];
    return d.customer + "/" + d.reference;
  }

  Account account_;
};

TEST_F(Match, TheStoresDocumentPaidInFullWithItsDiscount) {
  const auto m = one({.store = "C1", .reference = "000123", .discount = 200, .paid = 9800});
  EXPECT_EQ(m.outcome, Outcome::Applied) << m.note;
  EXPECT_EQ(documentOf(m), "C1/000123");
  EXPECT_EQ(m.applied, 9800);
  EXPECT_EQ(m.discount, 200);
}

TEST_F(Match, AReferenceMatchesExactlyFirstThenIgnoringCaseBlanksAndLeadingZeros) {
  EXPECT_EQ(documentOf(one({.store = "c1", .reference = "123", .paid = 10000})), "C1/000123");
  EXPECT_EQ(documentOf(one({.store = "C1", .reference = " inv-77", .paid = 10})), "C1/INV-77");
  EXPECT_EQ(documentOf(one({.store = "C1", .reference = "INV - 077", .paid = 10})), "none");
  EXPECT_EQ(documentOf(one({.reference = "a 100", .paid = 2500})), "P1/A100");
}

TEST_F(Match, AStoreIsNamedByItsIdOrByANameOnlyOneCustomerHas) {
  EXPECT_EQ(documentOf(one({.store = "acme  store 2", .reference = "123", .paid = 5000})),
            "C2/000123");
  const auto twin = one({.store = "Twin Store", .reference = "123", .paid = 5000});
  EXPECT_EQ(twin.outcome, Outcome::NotApplied);
  EXPECT_EQ(twin.note,
            "Store \"Twin Store\" names 2 customers of the national account: name it by its ID.");
  const auto outside = one({.store = "X9", .reference = "000123", .paid = 5000});
  EXPECT_EQ(outside.note, "Store \"X9\" is not a customer of the national account.");
  EXPECT_EQ(outside.applied, 0);
}

TEST_F(Match, AReferenceOfSeveralCustomersWithoutAStoreIsNotGuessed) {
  const auto m = one({.reference = "000123", .paid = 5000});
  EXPECT_EQ(m.outcome, Outcome::NotApplied);
  EXPECT_EQ(m.note, "Reference 000123 names 2 open documents of 2 customers: name the store.");
  EXPECT_EQ(one({.store = "C4", .reference = "000123", .paid = 1}).note,
            "Reference 000123 is no document of C4.");
}

TEST_F(Match, AShortPaymentIsAppliedAndAnOverpaymentRefused) {
  const auto shortPaid = one({.store = "C2", .reference = "000123", .paid = 4000});
  EXPECT_EQ(shortPaid.outcome, Outcome::Short);
  EXPECT_EQ(shortPaid.applied, 4000);
  EXPECT_EQ(shortPaid.note, "Short by 10.00.");
  const auto over = one({.store = "C2", .reference = "000123", .paid = 5001});
  EXPECT_EQ(over.outcome, Outcome::NotApplied);
  EXPECT_EQ(over.applied, 0);
  EXPECT_EQ(over.note, "Overpaid: 50.01 on a balance of 50.00; nothing applied.");
}

TEST_F(Match, ALateOrTooLargeDiscountIsDisputedAndThePaymentStillApplied) {
  const auto tooLarge = one({.store = "C1", .reference = "000123", .discount = 201, .paid = 9700});
  EXPECT_EQ(tooLarge.outcome, Outcome::Disputed);
  EXPECT_EQ(tooLarge.applied, 9700);
  EXPECT_EQ(tooLarge.discount, 0);
  EXPECT_EQ(tooLarge.note,
            "Short by 0.99. Discount 2.01 beyond the discount balance of 2.00: disputed.");
  Remittance late{.checkNumber = "1002", .checkDate = Date{2026, 3, 11}, .checkAmount = 9800};
  late.lines = {{.source = 2, .store = "C1", .reference = "000123", .discount = 200, .paid = 9800}};
  const auto m = matchRemittance(late, account_, Date{2026, 3, 2}).lines.at(0);
  EXPECT_EQ(m.outcome, Outcome::Disputed);
  EXPECT_EQ(m.applied, 9800);
  EXPECT_EQ(m.discount, 0);
  EXPECT_EQ(m.note, "Discount 2.00 taken after the discount date 2026-03-10: disputed.");
}

TEST_F(Match, HeldClosedUnknownUnavailableAndDeductionLinesApplyNothing) {
  const auto result = run({{.store = "C2", .reference = "777", .paid = 900},
                           {.store = "C1", .reference = "555", .paid = 10},
                           {.store = "C1", .reference = "999", .paid = 10},
                           {.store = "C1", .reference = "INV-77", .paid = -500},
                           {.store = "C1", .reference = "888", .paid = 40}},
                          2000);
  ASSERT_EQ(result.lines.size(), 5u);
  EXPECT_EQ(result.lines[0].note, "Document 777 is held by batch 0000000009.");
  EXPECT_EQ(result.lines[1].note, "Document 555 is closed.");
  EXPECT_EQ(result.lines[2].note, "Reference 999 is no document of C1.");
  EXPECT_EQ(result.lines[3].note, "A deduction: nothing applied.");
  EXPECT_EQ(result.lines[4].note,
            "Document 888 cannot be paid in this batch: an unreleased AR payment applies to it, "
            "or it is another company's.");
  for (const auto& m : result.lines) EXPECT_EQ(m.outcome, Outcome::NotApplied);
  EXPECT_EQ(result.applied, 0);
  EXPECT_EQ(result.unapplied, 2000);
}

TEST_F(Match, ACheckItsLinesOverrunIsRefusedWhole) {
  const auto result = run({{.store = "C1", .reference = "INV-77", .paid = 3000},
                           {.store = "P1", .reference = "A100", .paid = 2500}},
                          5499);
  EXPECT_EQ(result.refusal,
            "The remittance's lines pay 55.00, more than its check of 54.99: nothing was applied.");
  EXPECT_TRUE(result.lines.empty());
}

TEST_F(Match, WhatTheLinesDoNotApplyIsTheUnappliedRemainder) {
  const auto result = run({{.store = "C1", .reference = "INV-77", .paid = 3000},
                           {.store = "C1", .reference = "INV-77", .paid = 3000},
                           {.store = "P1", .reference = "A100", .paid = 2000}},
                          10000);
  EXPECT_EQ(result.lines[1].note, "Document already paid by line 2 of the file.");
  EXPECT_EQ(result.applied, 5000);
  EXPECT_EQ(result.unapplied, 5000);
}

// Deductions let the lines add up to the check while what they pay exceeds it.
TEST_F(Match, NoLineTakesMoreThanTheCheckHasLeft) {
  const auto result = run({{.store = "C1", .reference = "INV-77", .paid = 3000},
                           {.store = "P1", .reference = "A100", .paid = 2500},
                           {.store = "C1", .reference = "CREDIT", .paid = -1000}},
                          4500);
  EXPECT_EQ(result.lines[1].note, "The check has only 15.00 left: nothing applied.");
  EXPECT_EQ(result.applied, 3000);
}

}  // namespace
}  // namespace corvena::remit
