#include <gtest/gtest.h>

#include "platform/db/host_records.h"
#include "platform/db/tests/test_database.h"

namespace corvena::db {
namespace {

class HostProcedures : public ::testing::Test {
 protected:
  void SetUp() override {
    db->exec(
        "INSERT INTO Company (CpnyID, CpnyName, CpnyCOA, CpnySub, Active) VALUES"
        " ('C1', 'One', 'C1', 'C1', 1), ('C2', 'Two', 'C1', 'C1', 1), ('C3', 'Three', 'C3', 'C3', "
        "1);"
        "INSERT INTO InterCpny VALUES ('C1', 'C2', 'AR', '08010', 0), ('C1', 'C3', 'GL', 'ALL', 0);"
        "INSERT INTO Customer (CustId, Name, Status) VALUES ('B2', 'Bee', 'A'), ('A1', 'Ay', 'A'),"
        " ('H9', 'Held', 'H');"
        "INSERT INTO Account (Acct, Descr, Active) VALUES ('1010', 'Cash', 1), ('1020', 'Wash', 1),"
        " ('9999', 'Old', 0);"
        "INSERT INTO SubAcct (Sub, Descr, Active) VALUES ('00-000', 'Main', 1), ('99-999', 'Gone', "
        "0);"
        "INSERT INTO AcctSub (CpnyID, Acct, Sub, Active) VALUES ('C1', '1010', '00-000', 1);"
        "INSERT INTO PJContrl (control_type, control_code, control_data) VALUES"
        " ('PA', 'NO-POST-PROJECT', 'NOPOST'), ('PA', 'DEFAULT-TASK', 'TASK1');"
        "INSERT INTO PJProj (project, status_pa, gl_subacct) VALUES ('P1', 'A', '01-100'),"
        " ('P2', 'I', '');"
        "INSERT INTO PJPent (project, pjt_entity, status_pa) VALUES ('P1', 'T1', 'A'),"
        " ('P1', 'T2', 'I');"
        "INSERT INTO ARDoc (CpnyID, CustId, DocType, RefNbr, CuryDocBal) VALUES"
        " ('C1', 'A1', 'PA', '100', 5), ('C2', 'B2', 'PA', '100', 7), ('C1', 'A1', 'IN', '100', "
        "9);");
  }
  std::vector<std::string> column(std::string_view call, const std::string& name) {
    std::vector<std::string> out;
    Statement st = db->run(call);
    int index = -1;
    for (int i = 0; i < st.columnCount(); ++i)
      if (st.columnName(i) == name) index = i;
    while (st.step()) {
      const Value v = st.column(index);
      out.push_back(std::holds_alternative<std::string>(v)
                        ? std::get<std::string>(v)
                        : std::to_string(std::get<std::int64_t>(v)));
    }
    return out;
  }
  using Rows = std::vector<std::string>;
  testing::ScratchDir dir;
  std::unique_ptr<Database> db = Database::create(dir.database("company.db"));
};

TEST_F(HostProcedures, CustomerListsByPatternInKeyOrder) {
  EXPECT_EQ(column("Customer_all '%'", "CustId"), (Rows{"A1", "B2", "H9"}));
  EXPECT_EQ(column("customer_all " + textLiteral("B2      "), "Name"), (Rows{"Bee"}));
  EXPECT_EQ(column("Customer_Active '%'", "CustId"), (Rows{"A1", "B2"}));
  EXPECT_EQ(column("Customer_Active 'H9'", "CustId"), Rows{});
  // One ID in any case, a prefix, and a '%' or '_' inside an ID standing for itself.
  EXPECT_EQ(column("Customer_Active 'b2'", "CustId"), (Rows{"B2"}));
  EXPECT_EQ(column("Customer_Active 'a%'", "CustId"), (Rows{"A1"}));
  EXPECT_EQ(column("Customer_Active '%2'", "CustId"), Rows{});
  EXPECT_EQ(column("Customer_Active 'B_'", "CustId"), Rows{});
  EXPECT_EQ(column("Customer_Active 'B'", "CustId"), Rows{});
}

TEST_F(HostProcedures, ProjectControlRowsByTypeAndCode) {
  EXPECT_EQ(column("PJCONTRL_SPK0 'PA', 'NO-POST-PROJECT'", "control_data"), (Rows{"NOPOST"}));
  EXPECT_EQ(column("PJCONTRL_SPK0 'PA', 'NONE'", "control_data"), Rows{});
  EXPECT_EQ(column("pjproj_spk5 '%'", "project"), (Rows{"P1"}));
  EXPECT_EQ(column("pjpent_spk5 'P1', '%'", "pjt_entity"), (Rows{"T1"}));
}

TEST_F(HostProcedures, AccountAndSubaccountLookups) {
  EXPECT_EQ(column("account_all '10%'", "Acct"), (Rows{"1010", "1020"}));
  EXPECT_EQ(column("subacct_sub_active '%'", "Sub"), (Rows{"00-000"}));
  EXPECT_EQ(column("AcctSub_Acct 'C1', '%', '%'", "Acct"), (Rows{"1010"}));
  EXPECT_EQ(column("AcctSub_Sub 'C2', '%', '%'", "Sub"), Rows{});
  EXPECT_EQ(column("acctxref_acct 'C1', '%'", "Acct"), (Rows{"1010", "1020"}));
  EXPECT_EQ(column("subxref_sub 'C3', '%'", "Sub"), (Rows{"00-000"}));
}

TEST_F(HostProcedures, InterCompanyListsTheCompanyAndItsPartnersForTheModule) {
  EXPECT_EQ(column("intercpny_cpnyid_module1 'C1', '%', '08010', 'AR', 'C1', '%'", "CpnyID"),
            (Rows{"C1", "C2"}));
  EXPECT_EQ(column("intercpny_cpnyid_module1 'C1', '%', '08010', 'GL', 'C1', '%'", "CpnyID"),
            (Rows{"C1", "C3"}));
  EXPECT_EQ(column("intercpny_cpnyid_module1 'C2', '%', '08010', 'AR', 'C2', '%'", "CpnyID"),
            (Rows{"C2"}));
}

TEST_F(HostProcedures, DocumentLookupsByCompanyCustomerTypeAndReference) {
  EXPECT_EQ(column("ARDoc_CpnyID_Type_Ref2 '%'" + textLiteral("%") + "'PA'" + textLiteral("100"),
                   "CustId"),
            (Rows{"A1", "B2"}));
  EXPECT_EQ(column("ARDoc_CpnyID_Type_Ref2 'C2', 'A1', 'PA', '100'", "CustId"), Rows{});
  EXPECT_EQ(column("ARDoc_RefNbr '100'", "DocType"), (Rows{"IN", "PA", "PA"}));
}

TEST_F(HostProcedures, SetupRowsAndTaxLookups) {
  db->exec(
      "INSERT INTO ARSetup (SetupId, CurrPerNbr, PASortDflt) VALUES ('AR', '202612', 'D');"
      "INSERT INTO GLSetup (SetupId, CpnyId, ValidateAcctSub) VALUES ('GL', 'C1', 1);"
      "INSERT INTO PCSetup (SetupId, S4Future) VALUES ('PC', 'S');"
      "INSERT INTO PJ_Account (gl_acct, acct) VALUES ('7000', 'LABOR');"
      "INSERT INTO SlsTaxCat (CatId) VALUES ('TAXABLE'), ('EXEMPT');"
      "INSERT INTO SalesTax (TaxId, TaxRate) VALUES ('STATE', 6), ('CITY', 1.5)");
  ARSetup ar;
  db::Statement st = db->run("arsetup_all");
  ASSERT_TRUE(st.step());
  st.readInto(ar);
  EXPECT_EQ(ar.CurrPerNbr, "202612");
  EXPECT_EQ(ar.PASortDflt, "D");
  EXPECT_EQ(column("GLSetup_All", "ValidateAcctSub"), (Rows{"1"}));
  EXPECT_EQ(column("PCSetup_All", "S4Future"), (Rows{"S"}));
  EXPECT_EQ(column("Company_All 'C%'", "CpnyID"), (Rows{"C1", "C2", "C3"}));
  EXPECT_EQ(column("Company_All 'C2'", "CpnyName"), (Rows{"Two"}));
  EXPECT_EQ(column("PJ_Account_Spk0 '7000'", "acct"), (Rows{"LABOR"}));
  EXPECT_EQ(column("PJ_Account_Spk0 '1010'", "acct"), Rows{});
  EXPECT_EQ(column("slstaxcat_all '%'", "CatId"), (Rows{"EXEMPT", "TAXABLE"}));
  EXPECT_EQ(column("SalesTax_All 'S%'", "TaxId"), (Rows{"STATE"}));
}

TEST_F(HostProcedures, QuoteInAParameterFindsNothingAndChangesNothing) {
  EXPECT_EQ(column("Customer_all " + textLiteral("x' or '1'='1"), "CustId"), Rows{});
  EXPECT_EQ(column("Customer_all " + textLiteral("A1'; DELETE FROM Customer; --"), "CustId"),
            Rows{});
  EXPECT_EQ(column("Customer_all '%'", "CustId").size(), 3u);
}

TEST_F(HostProcedures, WrongParameterCountIsRefusedByName) {
  try {
    db->run("PJCONTRL_SPK0 'PA'");
    FAIL() << "no error";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("PJCONTRL_SPK0"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace corvena::db
