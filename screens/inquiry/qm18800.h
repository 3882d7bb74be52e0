#pragma once
// QM18800, the payment inquiry: by a national-account payment of a customer,
// by an invoice it paid, or by the host check a release made; one grid line
// per batch header and detail pair. It saves nothing.

#include <string>

#include "runtime/host/kelpapi.h"
#include "runtime/tables/records.h"

// The selection, held by the screen only.
#define XINQUIRY_FIELDS(F)                                                          \
  F(TEXT, invoicenbr, 15) F(TEXT, custid, 10) F(TEXT, checknbr, 10) F(TEXT, searchtype, 1) \
  F(TEXT, custid2, 10) F(TEXT, checknbr2, 10)

namespace corvena {
CORVENA_RECORD(XInquiry, XINQUIRY_FIELDS)
}  // namespace corvena

namespace corvena::qm18800 {

inline constexpr const char* Caption = "National Accounts Payment Inquiry (QM.188.00)";

forms::FormDesc QM18800Form();

// What the screen keeps for its whole run. One instance per screen session;
// handlers reach it through qm18800().
struct QM18800 {
  XInquiry bxheader{}, nxheader{};
  XNAHeader bXNAHEADER{}, nXNAHEADER{};
  XNADetail bxnadetail{}, nxnadetail{};
  host::Cursor CSR_XNAINQUIRY;
  host::LineArrayHandle Lines = nullptr;
  forms::Form* Form1 = nullptr;
};

// A fresh state for the form's session, and the handlers registered on the
// loaded main form (before its load handler runs).
void registerHandlers(forms::Form& Form1);
// The state of the current session's screen.
QM18800& qm18800();

}  // namespace corvena::qm18800
