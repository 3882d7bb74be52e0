// Which documents the grid lists for a batch, and with what amounts.

#include "screens/payapp/tests/payapp_fixture.h"

namespace corvena::payapp::testing {
namespace {

using Docs = std::vector<std::string>;

class DocumentList : public PayAppTest {
 protected:
  void SetUp() override {
    PayAppTest::SetUp();
    addDoc({.cust = "P1", .ref = "INV100"});
    addDoc({.cust = "C1", .type = "DM", .ref = "DM200"});
    addDoc({.cust = "C2", .type = "FI", .ref = "FI300"});
  }
};

TEST_F(DocumentList, ListsOpenDocumentsOfParentAndChildren) {
  addDoc({.cust = "X9", .ref = "INV900"});
  addDoc({.cust = "C1", .type = "CM", .ref = "CM400"});
  addDoc({.cust = "C1", .ref = "INV500", .released = 0});
  addDoc({.cust = "C2", .ref = "INV600", .balance = 0});
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(sorted(s->documents()), sorted(Docs{"P1/IN/INV100", "C1/DM/DM200", "C2/FI/FI300"}));
  EXPECT_EQ(s->shown("lName"), "Parent One");
}

TEST_F(DocumentList, DocumentPaidByAnotherBatchIsHidden) {
  addHeader("0000000007", "O");
  addDetail("0000000007", "C1", "DM", "DM200", 40);
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(sorted(s->documents()), sorted(Docs{"P1/IN/INV100", "C2/FI/FI300"}));
}

TEST_F(DocumentList, DocumentOfThisBatchShowsItsApplication) {
  addHeader("0000000007", "O");
  addDetail("0000000007", "C1", "DM", "DM200", 40, 2);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000007"));
  ASSERT_EQ(s->lineCount(), 3u);
  const auto& a = s->app();
  EXPECT_DOUBLE_EQ(a.bXHeader.ApplyTotal, 40);
  EXPECT_DOUBLE_EQ(a.bXHeader.DiscTotal, 2);
  const auto refs = s->column("cRefNbr");
  const auto applied = s->column("cCuryApplAmt");
  const auto balance = s->column("cNewDocBal");
  for (std::size_t i = 0; i < refs.size(); ++i) {
    if (refs[i] != "DM200") continue;
    EXPECT_EQ(applied[i], "40.00");
    EXPECT_EQ(balance[i], "58.00");
  }
}

TEST_F(DocumentList, DocumentTouchedByUnreleasedPaymentIsHidden) {
  addUnreleasedApplication("C2", "FI", "FI300");
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(sorted(s->documents()), sorted(Docs{"P1/IN/INV100", "C1/DM/DM200"}));
}

TEST_F(DocumentList, GLSetupCompanySeesEveryCompany) {
  addDoc({.cust = "C1", .ref = "INV700", .cpny = "CO2"});
  auto s = open("CO1");
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(s->lineCount(), 4u);
}

TEST_F(DocumentList, OtherCompanySeesOnlyItsOwnDocuments) {
  addDoc({.cust = "C1", .ref = "INV700", .cpny = "CO2"});
  auto s = open("CO2");
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(s->documents(), Docs{"C1/IN/INV700"});
}

TEST_F(DocumentList, ClosedBatchShowsReleasedApplicationsWithZeroBalanceWhenDocumentsAreGone) {
  addHeader("0000000009", "C");
  addDetail("0000000009", "C1", "IN", "GONE1", 75, 5);
  addDetail("0000000009", "P1", "IN", "INV100", 25);
  auto s = open();
  ASSERT_TRUE(s->set("cNABatNbr", "0000000009"));
  EXPECT_EQ(sorted(s->documents()), sorted(Docs{"C1/IN/GONE1", "P1/IN/INV100"}));
  const auto refs = s->column("cRefNbr");
  const auto docBal = s->column("cCuryDocBal");
  const auto total = s->column("cTotApply");
  for (std::size_t i = 0; i < refs.size(); ++i) {
    if (refs[i] == "GONE1") {
      EXPECT_EQ(docBal[i], "0.00");
      EXPECT_EQ(total[i], "80.00");
    } else {
      EXPECT_EQ(docBal[i], "100.00");
    }
  }
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 100);
}

TEST_F(DocumentList, NewCustomerEntryEmptiesTheGridFirst) {
  link("P2", "C9");
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  ASSERT_EQ(s->lineCount(), 3u);
  ASSERT_TRUE(s->set("cCustId", "P2"));
  EXPECT_EQ(s->lineCount(), 0u);
  EXPECT_DOUBLE_EQ(s->app().bXHeader.ApplyTotal, 0);
}

// Another clerk's work after this screen opened is seen at the next entry.
TEST_F(DocumentList, SeesDocumentsAddedAfterTheScreenOpened) {
  auto s = open();
  ASSERT_TRUE(s->set("cCustId", "P1"));
  addDoc({.cust = "C1", .ref = "INV800"});
  ASSERT_TRUE(s->set("cCustId", "P1"));
  EXPECT_EQ(s->lineCount(), 4u);
}

}  // namespace
}  // namespace corvena::payapp::testing
