#pragma once
// 0803000, Payment Application: a batch of payments (or an existing credit of a
// customer), each applied in its grid to the customer's open invoices, debit
// memos and finance charges; saved unreleased, released when the batch is
// completed with handling Release Now. A reversal takes a released payment back
// (a returned check), or what a credit applied in one batch; its grid shows
// the documents it opens again.

#include <memory>
#include <string>
#include <vector>

#include "platform/ar/host_batch.h"
#include "platform/forms/form.h"

// A line of the application grid: an open document of the customer and what
// the payment applies to it.
#define CORVENA_PAYLINE_FIELDS(F)                                                        \
  F(TEXT, RefNbr, 10) F(TEXT, DocType, 2) F(DATE, DocDate, 0) F(DATE, DueDate, 0)       \
  F(DATE, DiscDate, 0) F(FLOAT, CuryDocBal, 0) F(FLOAT, CuryDiscBal, 0) F(FLOAT, ApplAmt, 0) \
  F(FLOAT, DiscAmt, 0)
#define CORVENA_PAYTOTALS_FIELDS(F) F(FLOAT, ApplTotal, 0) F(FLOAT, DiscTotal, 0)

namespace corvena {
CORVENA_RECORD(PayLine, CORVENA_PAYLINE_FIELDS)
CORVENA_RECORD(PayTotals, CORVENA_PAYTOTALS_FIELDS)
}  // namespace corvena

namespace corvena::ar {

forms::FormDesc paymentEntryForm();

class PaymentEntry {
 public:
  explicit PaymentEntry(forms::Form& form);

 private:
  void load();
  int customerCheck(std::string& text);
  int refNbrCheck(std::string& text);
  int amountCheck(std::string& text);
  int discountCheck(std::string& text);
  int reversalCheck();
  bool priceReversal();
  bool reversal() const { return bARDoc.DocType.trimmed() == "RV"; }
  int saveLevel(int level);
  bool saveDocument();
  void saveApplications();
  void deleteApplications();
  bool selectCredit(const std::string& ref);
  bool customerHasPayment(const std::string& ref);
  void startPayment(const std::string& ref);
  void loadLines();
  bool showsOpenDocumentsOf(const std::string& customer) const;
  bool existingCredit() const { return bARDoc.Rlsed != 0; }

  forms::Session& session_;
  forms::Form& form_;
  HostBatch batch_;
  ARDoc bARDoc{}, nARDoc{};
  PayLine bPayLine{}, nPayLine{};
  PayTotals bPayTotals{}, nPayTotals{};
  forms::CursorHandle docCursor_, lineCursor_;
  forms::LineArray* lines_ = nullptr;
  // The customer whose open documents the grid shows as loaded, with nothing
  // applied (no payment named yet); empty when it shows anything else.
  std::string openDocumentsOf_;
};

std::shared_ptr<void> attachPaymentEntry(forms::Form& form, const std::vector<std::string>& parameters);

}  // namespace corvena::ar
