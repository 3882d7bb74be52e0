#pragma once
// Records of the module's tables and view, each of exactly its table's layout
// (runtime/tables/sql/schema.sql).

#include <vector>

#include "platform/db/host_records.h"

// clang-format off
#define XNASETUP_FIELDS(F)                                                                   \
  F(TEXT, vond1, 10) F(TEXT, vond2, 24) F(TEXT, LastNABatNbr, 10) F(TEXT, LastNATrBatNbr, 10) \
  CORVENA_AUDIT_FIELDS(F)

#define XNACUSTP_FIELDS(F)                                                                   \
  F(TEXT, PrimaryCustId, 15) F(INT16, cashreceipts, 0) F(INT16, Status, 0)                 \
  F(INT16, Statement, 0) F(INT16, FinanceChrg, 0) F(INT16, CreditChk, 0)                   \
  CORVENA_AUDIT_FIELDS(F)

#define XNACUSTS_FIELDS(F) \
  F(TEXT, PrimaryCustId, 15) F(TEXT, SecondaryCustid, 15) CORVENA_AUDIT_FIELDS(F)

#define XVNACUSTOMERS_ALL_FIELDS(F)                                                          \
  F(TEXT, PrimaryCustId, 15) F(TEXT, SecondaryCustId, 15) F(TEXT, PrimaryName, 30)         \
  F(TEXT, SecondaryName, 30)

#define XNAHEADER_FIELDS(F)                                                                  \
  F(TEXT, NABatNbr, 10) F(TEXT, CpnyId, 10) F(TEXT, CustId, 15) F(DATE, DocDate, 0)        \
  F(FLOAT, OrigDocAmt, 0) F(TEXT, PerPost, 6) F(TEXT, RefNbr, 10) F(TEXT, vond1, 30)       \
  F(TEXT, vond2, 30) F(TEXT, Status, 1) F(TEXT, ARBatNbr, 10) F(TEXT, RevBatNbr, 10)        \
  CORVENA_AUDIT_FIELDS(F)

#define XNADETAIL_FIELDS(F)                                                                  \
  F(TEXT, NABatNbr, 10) F(TEXT, CustId, 15) F(TEXT, DocType, 2) F(TEXT, RefNbr, 10)        \
  F(TEXT, ARRefNbr, 10) F(TEXT, CpnyId, 10) F(FLOAT, CuryApplAmt, 0) F(TEXT, CuryId, 4)    \
  F(DATE, DocDate, 0) F(FLOAT, DocAmt, 0) F(INT16, DetailFlag, 0) F(FLOAT, DiscAmt, 0)     \
  F(TEXT, LineStatus, 1) CORVENA_AUDIT_FIELDS(F)

#define XNATRANHDR_FIELDS(F)                                                                 \
  F(TEXT, NATrBatNbr, 10) F(TEXT, PrimaryCustID, 15) F(FLOAT, SrcAmt, 0)                   \
  F(TEXT, SrcCustID, 15) F(TEXT, SrcDocType, 2) F(TEXT, SrcRefNbr, 10) F(TEXT, Status, 1)  \
  F(TEXT, ARBatNbr, 10) F(TEXT, ARDMRefNbr, 10) F(TEXT, CpnyId, 10) CORVENA_AUDIT_FIELDS(F)

#define XNATRANDET_FIELDS(F)                                                                 \
  F(TEXT, NATrBatNbr, 10) F(TEXT, DestCustID, 15) F(TEXT, ARRefNbr, 10) F(TEXT, cpnyid, 10) \
  F(FLOAT, DestAmt, 0) F(FLOAT, LineTotalAmt, 0) F(TEXT, Status, 1) F(INT16, Rlsed, 0)     \
  CORVENA_AUDIT_FIELDS(F)

#define XNATRANDLN_FIELDS(F)                                                                 \
  F(TEXT, NATrBatNbr, 10) F(TEXT, DetCustID, 15) F(INT16, LineNbr, 0) F(TEXT, Acct, 10)    \
  F(TEXT, cpnyid, 10) F(TEXT, ExtRefNbr, 15) F(TEXT, ProjectID, 16) F(FLOAT, qty, 0)       \
  F(TEXT, Sub, 24) F(TEXT, TaskID, 32) F(TEXT, TaxCat, 10) F(TEXT, TaxIDDflt, 10)          \
  F(FLOAT, TranAmt, 0) F(TEXT, TranDesc, 30) F(TEXT, unitdesc, 6) F(FLOAT, UnitPrice, 0)   \
  F(TEXT, Status, 1) CORVENA_AUDIT_FIELDS(F)

// clang-format on

namespace corvena {

CORVENA_RECORD(XNASetup, XNASETUP_FIELDS)
CORVENA_RECORD(XNACustP, XNACUSTP_FIELDS)
CORVENA_RECORD(XNACustS, XNACUSTS_FIELDS)
CORVENA_RECORD(XVNACustomers_ALL, XVNACUSTOMERS_ALL_FIELDS)
CORVENA_RECORD(XNAHeader, XNAHEADER_FIELDS)
CORVENA_RECORD(XNADetail, XNADETAIL_FIELDS)
CORVENA_RECORD(XNATranHdr, XNATRANHDR_FIELDS)
CORVENA_RECORD(XNATranDet, XNATRANDET_FIELDS)
CORVENA_RECORD(XNATranDLn, XNATRANDLN_FIELDS)

// The module's table records (the view's row excluded), for checks that walk them all.
const std::vector<const RecordLayout*>& moduleTableLayouts();

}  // namespace corvena
