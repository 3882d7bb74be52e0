// The demo's remittance of NATL-GROC in each format says the same: one check,
// the same documents, amounts and discounts (a bank's notice carries no deduction).

#include <gtest/gtest.h>

#include "screens/payapp/remit/remit_read.h"

namespace corvena::remit {
namespace {

Remittance demo(const std::string& format) {
  return readRemittanceFile(std::string(CORVENA_SOURCE_DIR) +
                            "/platform/demo/remittances/NATL-GROC." + format);
}

std::vector<std::string> documents(const Remittance& r) {
  std::vector<std::string> out;
  for (const auto& l : r.lines)
    out.push_back(l.store + "/" + l.reference + "/" + std::to_string(l.paid) + "/" +
                  std::to_string(l.discount));
  return out;
}

TEST(DemoRemittance, EachFormatCarriesTheSameCheckAndDocuments) {
  const Remittance csv = demo("csv"), x12 = demo("820"), camt = demo("xml");
  for (const Remittance* r : {&csv, &x12, &camt}) {
    EXPECT_EQ(r->payer, "NATL-GROC");
    EXPECT_EQ(r->checkNumber, "GR1205");
    EXPECT_EQ(r->checkDate.iso(), "2026-12-05");
    EXPECT_EQ(r->checkAmount, 2320000);
  }
  ASSERT_EQ(csv.lines.size(), 11u);
  EXPECT_EQ(documents(x12), documents(csv));
  auto withoutDeduction = documents(csv);
  withoutDeduction.pop_back();
  EXPECT_EQ(documents(camt), withoutDeduction);
}

}  // namespace
}  // namespace corvena::remit
