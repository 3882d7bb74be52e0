#pragma once
// Records of the host's AR and setup tables, each of exactly its table's layout
// (platform/db/sql/schema.sql), plus the sign-on and currency records.

#include "platform/db/record.h"

// Creation and last-update stamps carried by most rows.
// clang-format off
#define CORVENA_AUDIT_FIELDS(F)                                                              \
  F(DATE, Crtd_Date, 0) F(TEXT, Crtd_Prog, 8) F(TEXT, Crtd_User, 10) F(DATE, LUpd_Date, 0) \
  F(TEXT, LUpd_Prog, 8) F(TEXT, LUpd_User, 10)

#define CORVENA_ARDOC_FIELDS(F)                                                              \
  F(TEXT, BatNbr, 10) F(TEXT, CpnyID, 10) F(TEXT, CustId, 15) F(TEXT, DocType, 2)           \
  F(TEXT, RefNbr, 10) F(DATE, DocDate, 0) F(DATE, DueDate, 0) F(DATE, DiscDate, 0)          \
  F(FLOAT, OrigDocAmt, 0) F(FLOAT, CuryOrigDocAmt, 0) F(FLOAT, DocBal, 0)                  \
  F(FLOAT, CuryDocBal, 0) F(FLOAT, DiscBal, 0) F(FLOAT, CuryDiscBal, 0)                    \
  F(TEXT, DocDesc, 30) F(TEXT, PerPost, 6) F(TEXT, PerClosed, 6) F(INT16, Rlsed, 0)        \
  F(INT16, OpenDoc, 0) F(TEXT, BankAcct, 10) F(TEXT, BankSub, 24) F(TEXT, ArAcct, 10)      \
  F(TEXT, ArSub, 24) F(TEXT, ProjectID, 16) F(TEXT, TaskID, 32) F(TEXT, CuryId, 4)         \
  F(TEXT, Terms, 2) F(TEXT, ExtRefNbr, 15) F(TEXT, RevDocType, 2) F(TEXT, RevRefNbr, 10)    \
  F(TEXT, RevBatNbr, 10) CORVENA_AUDIT_FIELDS(F)

#define CORVENA_ARTRAN_FIELDS(F)                                                             \
  F(TEXT, BatNbr, 10) F(TEXT, RefNbr, 10) F(INT16, LineNbr, 0) F(TEXT, CustId, 15)         \
  F(TEXT, TranType, 2) F(TEXT, CpnyID, 10) F(TEXT, Acct, 10) F(TEXT, Sub, 24)              \
  F(TEXT, ExtRefNbr, 15) F(TEXT, ProjectID, 16) F(TEXT, TaskID, 32) F(FLOAT, Qty, 0)       \
  F(TEXT, TaxCat, 10) F(TEXT, TaxIDDflt, 10) F(FLOAT, TranAmt, 0) F(FLOAT, CuryTranAmt, 0) \
  F(TEXT, TranDesc, 30) F(TEXT, UnitDesc, 6) F(FLOAT, UnitPrice, 0) F(DATE, TranDate, 0)   \
  F(TEXT, PerPost, 6) F(TEXT, DrCr, 1) F(INT16, Rlsed, 0) CORVENA_AUDIT_FIELDS(F)

#define CORVENA_CUSTOMER_FIELDS(F)                                                           \
  F(TEXT, CustId, 15) F(TEXT, Name, 30) F(TEXT, Addr1, 30) F(TEXT, Addr2, 30)              \
  F(TEXT, City, 30) F(TEXT, State, 3) F(TEXT, Zip, 10) F(TEXT, Country, 3)                 \
  F(TEXT, Phone, 30) F(TEXT, Attn, 30) F(TEXT, StmtCycleId, 2) F(TEXT, ArAcct, 10)         \
  F(TEXT, ArSub, 24) F(TEXT, Status, 1) F(TEXT, Terms, 2) F(TEXT, ClassId, 6)              \
  F(FLOAT, CreditLimit, 0) F(TEXT, CuryId, 4) F(TEXT, FinChrgCustId, 15)                   \
  CORVENA_AUDIT_FIELDS(F)

#define CORVENA_ARSETUP_FIELDS(F)                                                            \
  F(TEXT, SetupId, 2) F(TEXT, CurrPerNbr, 6) F(TEXT, PASortDflt, 1) F(TEXT, ArAcct, 10)    \
  F(TEXT, ArSub, 24) F(TEXT, ChkAcct, 10) F(TEXT, ChkSub, 24) F(TEXT, DiscTknAcct, 10)     \
  F(TEXT, DiscTknSub, 24) F(TEXT, FinChrgAcct, 10) F(TEXT, FinChrgSub, 24)                 \
  F(TEXT, DfltTerms, 2) F(INT16, AutoRef, 0)

#define CORVENA_GLSETUP_FIELDS(F)                                                            \
  F(TEXT, SetupId, 2) F(TEXT, CpnyId, 10) F(TEXT, CpnyName, 30) F(TEXT, LedgerID, 10)      \
  F(TEXT, BaseCuryId, 4) F(TEXT, PerNbr, 6) F(INT16, NbrPer, 0) F(INT16, ValidateAcctSub, 0)

// S4Future is the project controller's set-up flag: "S" once it is set up.
#define CORVENA_PCSETUP_FIELDS(F) F(TEXT, SetupId, 2) F(TEXT, S4Future, 1)

#define CORVENA_PJCONTRL_FIELDS(F)                                                           \
  F(TEXT, control_type, 2) F(TEXT, control_code, 30) F(TEXT, control_desc, 30)             \
  F(TEXT, control_data, 255)

#define CORVENA_COMPANY_FIELDS(F)                                                            \
  F(TEXT, CpnyID, 10) F(TEXT, CpnyName, 30) F(TEXT, CpnyCOA, 10) F(TEXT, CpnySub, 10)      \
  F(TEXT, BaseCuryId, 4) F(INT16, Active, 0)

#define CORVENA_PJ_ACCOUNT_FIELDS(F)                                                         \
  F(TEXT, gl_acct, 10) F(TEXT, acct, 16) F(TEXT, acct_desc, 30) F(TEXT, acct_status, 1)

#define CORVENA_PJPROJ_FIELDS(F)                                                             \
  F(TEXT, project, 16) F(TEXT, project_desc, 30) F(TEXT, status_pa, 1) F(TEXT, customer, 15) \
  F(TEXT, cpnyid, 10) F(TEXT, gl_subacct, 24) F(DATE, start_date, 0) F(DATE, end_date, 0)

#define CORVENA_PJPENT_FIELDS(F)                                                             \
  F(TEXT, project, 16) F(TEXT, pjt_entity, 32) F(TEXT, pjt_entity_desc, 30)                \
  F(TEXT, status_pa, 1)

// Hold status "H" until the batch is released ("U" unposted after release).
#define CORVENA_BATCH_FIELDS(F)                                                              \
  F(TEXT, BatNbr, 10) F(TEXT, Module, 2) F(TEXT, CpnyID, 10) F(TEXT, EditScrnNbr, 5)       \
  F(TEXT, BatType, 1) F(TEXT, Status, 1) F(INT16, Rlsed, 0) F(TEXT, Handling, 1)           \
  F(FLOAT, CtrlTot, 0) F(FLOAT, CrTot, 0) F(FLOAT, DrTot, 0) F(TEXT, PerPost, 6)           \
  F(TEXT, PerEnt, 6) F(TEXT, Descr, 30) CORVENA_AUDIT_FIELDS(F)

// One application of a payment or credit (adjusting) to a document (adjusted).
#define CORVENA_ARADJUST_FIELDS(F)                                                           \
  F(TEXT, AdjBatNbr, 10) F(TEXT, CustId, 15) F(TEXT, AdjdDocType, 2) F(TEXT, AdjdRefNbr, 10) \
  F(TEXT, AdjgDocType, 2) F(TEXT, AdjgRefNbr, 10) F(FLOAT, AdjAmt, 0)                      \
  F(FLOAT, CuryAdjdAmt, 0) F(FLOAT, AdjDiscAmt, 0) F(FLOAT, CuryAdjdDiscAmt, 0)            \
  F(DATE, AdjgDocDate, 0) F(TEXT, PerAppl, 6) F(TEXT, CpnyID, 10) F(INT16, Rlsed, 0)       \
  CORVENA_AUDIT_FIELDS(F)

// A general-ledger line of a released batch.
#define CORVENA_GLTRAN_FIELDS(F)                                                             \
  F(TEXT, Module, 2) F(TEXT, BatNbr, 10) F(INT16, LineNbr, 0) F(TEXT, Acct, 10)            \
  F(TEXT, Sub, 24) F(FLOAT, DrAmt, 0) F(FLOAT, CrAmt, 0) F(TEXT, RefNbr, 10)              \
  F(TEXT, CustId, 15) F(TEXT, TranType, 2) F(TEXT, TranDesc, 30) F(TEXT, PerPost, 6)     \
  F(TEXT, CpnyID, 10) F(INT16, Posted, 0) CORVENA_AUDIT_FIELDS(F)

#define CORVENA_ACCOUNT_FIELDS(F) \
  F(TEXT, Acct, 10) F(TEXT, Descr, 30) F(INT16, Active, 0) F(TEXT, AcctType, 2)

#define CORVENA_SUBACCT_FIELDS(F) F(TEXT, Sub, 24) F(TEXT, Descr, 30) F(INT16, Active, 0)

#define CORVENA_ACCTSUB_FIELDS(F) \
  F(TEXT, CpnyID, 10) F(TEXT, Acct, 10) F(TEXT, Sub, 24) F(TEXT, Descr, 30) F(INT16, Active, 0)

// A numbering source: the last number handed out, its width kept with leading zeros.
#define CORVENA_AUTONUMBER_FIELDS(F) \
  F(TEXT, Source, 30) F(TEXT, LastNbr, 10) F(TEXT, Descr, 30)

#define CORVENA_CASHACCT_FIELDS(F)                                                           \
  F(TEXT, CpnyID, 10) F(TEXT, BankAcct, 10) F(TEXT, BankSub, 24) F(TEXT, AcctName, 30)     \
  F(TEXT, CuryId, 4) F(INT16, Active, 0)

#define CORVENA_SLSTAXCAT_FIELDS(F) F(TEXT, CatId, 10) F(TEXT, Descr, 30)

#define CORVENA_SALESTAX_FIELDS(F)                                                           \
  F(TEXT, TaxId, 10) F(TEXT, Descr, 30) F(FLOAT, TaxRate, 0) F(TEXT, TaxType, 1)           \
  F(TEXT, TaxAcct, 10) F(TEXT, TaxSub, 24)

#define CORVENA_TERMS_FIELDS(F)                                                              \
  F(TEXT, TermsId, 2) F(TEXT, Descr, 30) F(INT16, DueDays, 0) F(INT16, DiscDays, 0)        \
  F(FLOAT, DiscPct, 0)

#define CORVENA_STMTCYCLE_FIELDS(F) \
  F(TEXT, StmtCycleId, 2) F(TEXT, Descr, 30) F(INT16, StmtDay, 0) F(FLOAT, FinChrgPct, 0)

// Companies allowed as destinations of a screen's entries from another company.
#define CORVENA_INTERCPNY_FIELDS(F) \
  F(TEXT, FromCompany, 10) F(TEXT, ToCompany, 10) F(TEXT, Module, 2) F(TEXT, Screen, 5)

// Sign-on: company, business date, currency, program (screen number), user, screen title.
#define CORVENA_BPES_FIELDS(F)                                                               \
  F(TEXT, CpnyID, 10) F(TEXT, CpnyName, 30) F(DATE, Today, 0) F(TEXT, CuryId, 4)           \
  F(TEXT, Prog, 5) F(TEXT, UserId, 47) F(TEXT, ScrnTitle, 80) F(INT16, StartMode5, 0)      \
  F(TEXT, DBName, 30)

// DecPl: the currency's decimals, the precision amounts round to.
#define CORVENA_BCURYINFO_FIELDS(F) \
  F(TEXT, CuryId, 4) F(TEXT, Descr, 30) F(TEXT, Symbol, 4) F(INT16, DecPl, 0)

// clang-format on

namespace corvena {

CORVENA_RECORD(ARDoc, CORVENA_ARDOC_FIELDS)
CORVENA_RECORD(ARTran, CORVENA_ARTRAN_FIELDS)
CORVENA_RECORD(Customer, CORVENA_CUSTOMER_FIELDS)
CORVENA_RECORD(ARSetup, CORVENA_ARSETUP_FIELDS)
CORVENA_RECORD(GLSetup, CORVENA_GLSETUP_FIELDS)
CORVENA_RECORD(PCSetup, CORVENA_PCSETUP_FIELDS)
CORVENA_RECORD(PJContrl, CORVENA_PJCONTRL_FIELDS)
CORVENA_RECORD(Company, CORVENA_COMPANY_FIELDS)
CORVENA_RECORD(PJ_Account, CORVENA_PJ_ACCOUNT_FIELDS)
CORVENA_RECORD(PJProj, CORVENA_PJPROJ_FIELDS)
CORVENA_RECORD(PJPent, CORVENA_PJPENT_FIELDS)
CORVENA_RECORD(Batch, CORVENA_BATCH_FIELDS)
CORVENA_RECORD(ARAdjust, CORVENA_ARADJUST_FIELDS)
CORVENA_RECORD(GLTran, CORVENA_GLTRAN_FIELDS)
CORVENA_RECORD(Account, CORVENA_ACCOUNT_FIELDS)
CORVENA_RECORD(SubAcct, CORVENA_SUBACCT_FIELDS)
CORVENA_RECORD(AcctSub, CORVENA_ACCTSUB_FIELDS)
CORVENA_RECORD(AutoNumber, CORVENA_AUTONUMBER_FIELDS)
CORVENA_RECORD(CashAcct, CORVENA_CASHACCT_FIELDS)
CORVENA_RECORD(SlsTaxCat, CORVENA_SLSTAXCAT_FIELDS)
CORVENA_RECORD(SalesTax, CORVENA_SALESTAX_FIELDS)
CORVENA_RECORD(Terms, CORVENA_TERMS_FIELDS)
CORVENA_RECORD(StmtCycle, CORVENA_STMTCYCLE_FIELDS)
CORVENA_RECORD(InterCpny, CORVENA_INTERCPNY_FIELDS)
CORVENA_RECORD(bpes, CORVENA_BPES_FIELDS)
CORVENA_RECORD(bcuryinfo, CORVENA_BCURYINFO_FIELDS)

// Every host table record, for checks that walk them all.
const std::vector<const RecordLayout*>& hostTableLayouts();

}  // namespace corvena
