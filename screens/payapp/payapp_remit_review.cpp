#include "screens/payapp/payapp_remit_review.h"

#include "screens/payapp/remit/remit_values.h"

namespace corvena::payapp {

namespace {

using remit::amountText;

std::vector<std::string> ReviewRow(const remit::LineMatch& m, const remit::Account& account) {
  std::string customer, document;
  if (m.document >= 0) {
    const auto& doc = account.documents[m.document];
    customer = doc.customer;
    document = doc.type + " " + doc.reference;
  }
  return {std::to_string(m.line.source),
          m.line.store,
          m.line.reference,
          amountText(m.line.paid),
          amountText(m.line.discount),
          remit::outcomeText(m.outcome),
          customer,
          document,
          amountText(m.applied),
          amountText(m.discount),
          m.note};
}

}  // namespace

forms::Report RemittanceReview(const remit::Remittance& remittance, const remit::Account& account,
                               const remit::MatchResult& result) {
  forms::Report review{.caption = "Remittance Review",
                       .tag = "REMIT",
                       .headings = {"Line", "Store", "Reference", "Paid", "Discount", "Result",
                                    "Customer", "Document", "Applied", "Disc Applied", "Note"}};
  int applied = 0;
  for (const auto& m : result.lines) {
    review.rows.push_back(ReviewRow(m, account));
    applied += m.applied > 0 || m.discount > 0;
  }
  review.summary = "Check " + remittance.checkNumber + " of " + amountText(remittance.checkAmount) +
                   ": " + std::to_string(applied) + " of " + std::to_string(result.lines.size()) +
                   " lines applied, " + amountText(result.applied) + " applied, " +
                   amountText(result.discount) + " discount, " + amountText(result.unapplied) +
                   " unapplied.";
  return review;
}

}  // namespace corvena::payapp
