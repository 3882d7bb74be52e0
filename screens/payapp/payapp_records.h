#pragma once
// The screen's memory-only records: the grid line and the header totals and options.

#include "runtime/tables/records.h"

// One grid line: a document of the parent or a child, with its application.
#define XDETAIL_FIELDS(F)                                                                          \
  F(TEXT, ARRefNbr, 10)                                                                            \
  F(TEXT, CpnyId, 10) F(DATE, Crtd_Date, 0) F(TEXT, Crtd_Prog, 8) F(TEXT, Crtd_User, 10)           \
      F(FLOAT, CuryApplAmt, 0) F(FLOAT, CuryDocBal, 0) F(TEXT, CustId, 15) F(DATE, DocDate, 0)     \
          F(TEXT, DocType, 2) F(DATE, DueDate, 0) F(DATE, LUpd_Date, 0) F(TEXT, LUpd_Prog, 8)      \
              F(TEXT, LUpd_User, 10) F(TEXT, NABatNbr, 10) F(FLOAT, DocAmt, 0) F(TEXT, RefNbr, 10) \
                  F(INT16, DetailFlag, 0) F(TEXT, LineStatus, 1) F(FLOAT, CuryDiscBal, 0)          \
                      F(FLOAT, DiscAmt, 0) F(DATE, DiscDate, 0) F(FLOAT, TotApply, 0)              \
                          F(FLOAT, NewDocBal, 0) F(TEXT, CustName, 30)

// Screen totals and options of the batch, and the date and reason a reversal asks for.
#define XHEADER_FIELDS(F)                                                                         \
  F(FLOAT, ApplyTotal, 0)                                                                         \
  F(TEXT, BatchHandling, 1) F(FLOAT, UnAppliedAmt, 0) F(TEXT, SortOrder, 1) F(FLOAT, DiscTotal, 0) \
  F(DATE, RevDate, 0) F(TEXT, RevReason, 30)

namespace corvena::payapp {

CORVENA_RECORD(XDetail, XDETAIL_FIELDS)
CORVENA_RECORD(XHeader, XHEADER_FIELDS)

}  // namespace corvena::payapp
