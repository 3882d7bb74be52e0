#include <cctype>

#include "runtime/tables/tests/company.h"

namespace corvena::testing {
namespace {

// Every procedure the screens and the framework call, with the number of
// parameters their callers pass (a possible-value list gets the typed value last).
const std::pair<const char*, int> kCalled[] = {
    {"XNAARDoc_OpenDetails", 1},
    {"XNAARDoc_Closed", 2},
    {"XNADetail_BatNbr", 1},
    {"XNADetail_RefNbr", 3},
    {"XNADetail_DeleteBatch", 1},
    {"XNAHeader_RefNbr", 3},
    {"XGet_OpenBal", 1},
    {"UnrlsedPayCheck", 3},
    {"XNADetail_OpenDetails", 1},
    {"XUnrlsedPay_OpenDetails", 1},
    {"XNAARDoc_ClosedBatch", 1},
    {"XNACustomer_Family", 1},
    {"XNACustomer_Batch", 1},
    {"DeleteRefNbr", 1},
    {"XNAApp_DeleteBatch", 1},
    {"XNACustS_Primary", 2},
    {"XNAUpdateFinChrg", 2},
    {"XArdocCMPA_CustID_RefNbr", 2},
    {"XNATranDLn_All", 4},
    {"XNATranHdr_SourceHeld", 4},
    {"XNATranDet_All", 2},
    {"XNATranHdr_all", 1},
    {"xNAHeader_all", 2},
    {"XNACustP_DBNav", 1},
    {"XNACustS_DBNav", 2},
    {"XNACustomerList", 1},
    {"XNAShowAllClosedDocsForParent", 4},
    {"XArdocCM_CustID_RefNbr", 2},
    {"XNAREFNBR_ALL", 1},
    {"XNARemit_Customers", 1},
    {"XNARemit_Documents", 1},
    {"xnachknbr_all", 2},
    {"xnacorchknbr_all", 2},
    {"AutoNbr_Next", 1},
    {"ARDoc_CpnyID_Type_Ref2", 4},
    {"ARDoc_RefNbr", 1},
    {"Customer_all", 1},
    {"customer_all", 1},
    {"Customer_Active", 1},
    {"arsetup_all", 0},
    {"glsetup_all", 0},
    {"GLSetup_All", 0},
    {"PCSetup_All", 0},
    {"PJCONTRL_SPK0", 2},
    {"Company_All", 1},
    {"PJ_Account_Spk0", 1},
    {"account_all", 1},
    {"subacct_sub_active", 1},
    {"AcctSub_Acct", 3},
    {"AcctSub_Sub", 3},
    {"acctxref_acct", 2},
    {"subxref_sub", 2},
    {"pjproj_spk5", 1},
    {"pjpent_spk5", 2},
    {"intercpny_cpnyid_module1", 6},
    {"slstaxcat_all", 1},
    {"SalesTax_All", 1},
};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string callText(const std::string& name, int params) {
  std::string text = name;
  for (int i = 0; i < params; ++i) text += i ? ", '0'" : " '0'";
  return text;
}

using Catalogue = Company;

TEST_F(Catalogue, EveryCalledProcedureRunsWithTheCountItsCallersPass) {
  for (const auto& [name, params] : kCalled) {
    EXPECT_TRUE(db->hasProcedure(name)) << name;
    EXPECT_NO_THROW(call(callText(name, params))) << name;
  }
}

TEST_F(Catalogue, AnyOtherCountIsRefusedNamingTheProcedure) {
  for (const auto& [name, params] : kCalled) {
    try {
      call(callText(name, params + 1));
      ADD_FAILURE() << name << " took " << params + 1 << " parameters";
    } catch (const db::DbError& e) {
      EXPECT_NE(lower(e.what()).find(lower(name)), std::string::npos) << e.what();
    }
  }
}

TEST_F(Catalogue, UnknownProcedureIsNamed) {
  try {
    call("XNANoSuchList '%'");
    FAIL() << "no error";
  } catch (const db::DbError& e) {
    EXPECT_NE(std::string(e.what()).find("XNANoSuchList"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace corvena::testing
