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

class QM18800 {
 public:
  explicit QM18800(forms::Form& form);
  QM18800(const QM18800&) = delete;
  QM18800& operator=(const QM18800&) = delete;

  void Form_Load();
  void Form_Unload();
  int optSearchType_ValueCheck(std::string& ChkStrg);
  int cCustomer_ValueCheck(std::string& ChkStrg);
  void cmdRefresh_Click();
  void cmdVoucher_Click();

  XInquiry bxheader{}, nxheader{};
  XNAHeader bXNAHEADER{}, nXNAHEADER{};
  XNADetail bxnadetail{}, nxnadetail{};
  host::Cursor CSR_XNAINQUIRY;
  host::LineArrayHandle Lines = nullptr;

 private:
  std::string statement();
  void enable(std::initializer_list<const char*> on, std::initializer_list<const char*> off);
  forms::Form& form_;
};

QM18800& registerHandlers(forms::Form& Form1);

}  // namespace corvena::qm18800
