#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

class NationalAccounts : public Company {
 protected:
  void SetUp() override {
    for (const char* id : {"P1", "K1", "K2", "K3", "P2", "M1", "LONE"}) customer(id);
    link("P1", {"K2", "K1"});
    link("P2", {"M1"});
  }
};

TEST_F(NationalAccounts, PrimaryFindsLinksByParentOrChild) {
  EXPECT_EQ(column("XNACustS_Primary 'P1', '%'", "SecondaryCustid"), (Rows{"K1", "K2"}));
  EXPECT_EQ(column("XNACustS_Primary '%', 'M1'", "PrimaryCustId"), (Rows{"P2"}));
  EXPECT_EQ(column("XNACustS_Primary '%', " + db::textLiteral("K2     "), "PrimaryCustId"),
            (Rows{"P1"}));
  EXPECT_EQ(column("XNACustS_Primary '%', 'P1'", "PrimaryCustId"), Rows{});
  EXPECT_EQ(column("XNACustS_Primary '%', 'LONE'", "PrimaryCustId"), Rows{});
}

TEST_F(NationalAccounts, PrimaryRowsFillTheLinkRecord) {
  XNACustS s;
  db::Statement st = db->run("XNACustS_Primary '%', 'K1'");
  ASSERT_TRUE(st.step());
  st.readInto(s);
  EXPECT_EQ(std::string(s.PrimaryCustId.view()), "P1" + std::string(13, ' '));
  EXPECT_EQ(s.SecondaryCustid, "K1");
}

TEST_F(NationalAccounts, AChildBelongsToOneParentAndIsNeverItsOwnParent) {
  XNACustS s;
  s.PrimaryCustId = "P2";
  s.SecondaryCustid = "K1  ";
  EXPECT_THROW(db->insert("XNACustS", s), db::DbError);
  s.SecondaryCustid = "P2";
  EXPECT_THROW(db->insert("XNACustS", s), db::DbError);
  EXPECT_EQ(column("XNACustS_Primary '%', '%'", "SecondaryCustid"), (Rows{"K1", "K2", "M1"}));
}

TEST_F(NationalAccounts, ParentNavigationInKeyOrder) {
  EXPECT_EQ(column("XNACustP_DBNav '%'", "PrimaryCustId"), (Rows{"P1", "P2"}));
  EXPECT_EQ(column("XNACustP_DBNav 'P2'", "PrimaryCustId"), (Rows{"P2"}));
  EXPECT_EQ(column("XNACustP_DBNav 'K1'", "PrimaryCustId"), Rows{});
}

TEST_F(NationalAccounts, ChildNavigationJoinsTheChildsCustomerRow) {
  db->exec("UPDATE XNACustS SET Crtd_User = 'LINKER'; UPDATE Customer SET Crtd_User = 'OTHER'");
  db::Statement st = db->run("XNACustS_DBNav 'P1', '%'");
  XNACustS link;
  corvena::Customer cust;
  Rows children;
  while (st.step()) {
    st.readInto(link);
    st.readInto(cust);
    EXPECT_EQ(cust.CustId, link.SecondaryCustid.trimmed());
    EXPECT_EQ(cust.Name, "Name of " + link.SecondaryCustid.trimmed());
    EXPECT_EQ(link.Crtd_User, "LINKER");
    children.push_back(link.SecondaryCustid.trimmed());
  }
  EXPECT_EQ(children, (Rows{"K1", "K2"}));
  EXPECT_EQ(column("XNACustS_DBNav 'P1', 'K2%'", "Name"), (Rows{"Name of K2"}));
  EXPECT_EQ(column("XNACustS_DBNav 'P2', 'K%'", "Name"), Rows{});
}

TEST_F(NationalAccounts, CustomerListOffersOnlyParents) {
  EXPECT_EQ(column("XNACustomerList '%'", "CustId"), (Rows{"P1", "P2"}));
  EXPECT_EQ(column("XNACustomerList 'K%'", "CustId"), Rows{});
}

TEST_F(NationalAccounts, FinanceChargesFollowTheParentWhileTheOptionIsOn) {
  call("XNAUpdateFinChrg 'P1' 1");
  EXPECT_EQ(
      column("select FinChrgCustId from Customer where CustId in ('K1', 'K2')", "FinChrgCustId"),
      (Rows{"P1", "P1"}));
  EXPECT_EQ(column("select FinChrgCustId from Customer where CustId in ('K3', 'M1', 'P1')",
                   "FinChrgCustId"),
            (Rows{"K3", "M1", "P1"}));
  call("XNAUpdateFinChrg 'P1', 0");
  EXPECT_EQ(
      column("select FinChrgCustId from Customer where CustId in ('K1', 'K2')", "FinChrgCustId"),
      (Rows{"K1", "K2"}));
}

TEST_F(NationalAccounts, ViewFindsAChildOfAnotherParent) {
  EXPECT_EQ(column("Select * from XVNACustomers_ALL Where PrimaryCustId <> 'P2' and "
                   "SecondaryCustId Like 'K1'",
                   "PrimaryCustId"),
            (Rows{"P1"}));
  EXPECT_EQ(column("Select * from XVNACustomers_ALL Where PrimaryCustId <> 'P1' and "
                   "SecondaryCustId Like 'K1'",
                   "PrimaryCustId"),
            Rows{});
}

TEST_F(NationalAccounts, QuoteInAChildIdFindsNothingAndChangesNothing) {
  EXPECT_EQ(column("XNACustS_Primary '%', " + db::textLiteral("x' or '1'='1"), "PrimaryCustId"),
            Rows{});
  call("XNAUpdateFinChrg " + db::textLiteral("x' or '1'='1") + db::intLiteral(1));
  EXPECT_EQ(column("select CustId from Customer where FinChrgCustId <> CustId", "CustId"), Rows{});
}

TEST_F(NationalAccounts, WrongParameterCountNamesTheProcedure) {
  try {
    db->run("XNACustS_Primary 'P1'");
    FAIL() << "no error";
  } catch (const db::DbError& e) {
    EXPECT_NE(std::string(e.what()).find("XNACustS_Primary"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace corvena::testing
