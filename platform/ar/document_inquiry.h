#pragma once
// 0325000, AR Document Inquiry: a document of AR with its balance and status,
// and every application to it or by it, read only. Started with a reference
// and a customer as its parameters it opens on that document.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/host_records.h"
#include "platform/forms/form.h"

// One application of the grid: the other document, and what was applied.
#define CORVENA_DOCAPPL_FIELDS(F)                                                        \
  F(TEXT, Relation, 8) F(TEXT, OtherType, 2) F(TEXT, OtherRef, 10) F(FLOAT, Amount, 0)   \
  F(FLOAT, Discount, 0) F(DATE, ApplDate, 0) F(TEXT, BatNbr, 10) F(TEXT, Released, 3)
#define CORVENA_DOCINFO_FIELDS(F) F(TEXT, Status, 12) F(TEXT, Reversal, 40)

namespace corvena {
CORVENA_RECORD(DocAppl, CORVENA_DOCAPPL_FIELDS)
CORVENA_RECORD(DocInfo, CORVENA_DOCINFO_FIELDS)
}  // namespace corvena

namespace corvena::ar {

forms::FormDesc documentInquiryForm();
std::shared_ptr<void> attachDocumentInquiry(forms::Form& form,
                                            const std::vector<std::string>& parameters);

}  // namespace corvena::ar
