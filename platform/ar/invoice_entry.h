#pragma once
// 0801000, Invoice and Memo Entry: a batch of invoices, debit memos and credit
// memos, each with its lines; saved unreleased, released when the batch is
// completed with handling Release Now.

#include <memory>
#include <string>
#include <vector>

#include "platform/ar/host_batch.h"
#include "platform/forms/form.h"

namespace corvena::ar {

forms::FormDesc invoiceEntryForm();

class InvoiceEntry {
 public:
  explicit InvoiceEntry(forms::Form& form);

 private:
  void load();
  int refNbrCheck(std::string& text);
  int customerCheck(std::string& text);
  int accountCheck(std::string& text);
  void lineAmountShown();
  void accountShown();
  int saveLevel(int level);
  bool saveDocument();
  void saveLines();
  bool duplicateReference();
  void startDocument(const std::string& ref);

  forms::Session& session_;
  forms::Form& form_;
  HostBatch batch_;
  ARDoc bARDoc{}, nARDoc{};
  ARTran bARTran{}, nARTran{};
  forms::CursorHandle docCursor_, lineCursor_;
  forms::LineArray* lines_ = nullptr;
};

std::shared_ptr<void> attachInvoiceEntry(forms::Form& form, const std::vector<std::string>& parameters);

}  // namespace corvena::ar
