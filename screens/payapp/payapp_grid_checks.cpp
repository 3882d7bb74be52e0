#include "screens/payapp/payapp_grid_checks.h"

#include "platform/forms/text_util.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

// Every row of a statement, each read into a fresh record.
template <class Record, class Take>
void eachRow(Cursor& cursor, const std::string& statement, Take take) {
  Record row{};
  for (int rc = SqlFetch1(cursor, statement, row, sizeof row); rc != NotFound;
       rc = SFetch1(cursor, row, sizeof row)) {
    take(row);
    row = Record{};
  }
}

// A key as the database compares it: trailing blanks do not count.
template <std::size_t N>
std::string stored(const Text<N>& t) {
  return forms::trimEnd(t.view());
}

}  // namespace

void CustomerNames::read(PayApp& a, std::string_view procedure, std::string_view parameter) {
  eachRow<Customer>(a.csr_customer, std::string(procedure) + " " + SParm(parameter),
                    [&](const Customer& c) { names_.emplace(c.CustId.trimmed(), c.Name.trimmed()); });
}

std::string CustomerNames::of(const Text<15>& custId) const {
  const auto found = names_.find(custId.trimmed());
  return found == names_.end() ? std::string() : found->second;
}

OpenDocumentChecks::OpenDocumentChecks(PayApp& a) {
  const std::string parent = SParm(a.bXNAHeader.CustId);
  eachRow<ARAdjust>(a.CSR_ARDocWork, "XUnrlsedPay_OpenDetails " + parent, [&](const ARAdjust& j) {
    unreleased_.emplace(j.CustId.trimmed(), j.AdjdDocType.trimmed(), j.AdjdRefNbr.trimmed());
  });
  eachRow<XNADetail>(a.CSR_XNADETAIL_L, "XNADetail_OpenDetails " + parent, [&](const XNADetail& x) {
    applications_[{x.CustId.trimmed(), x.DocType.trimmed(), x.RefNbr.trimmed()}].push_back(x);
  });
  names_.read(a, "XNACustomer_Family", a.bXNAHeader.CustId.view());
}

const std::vector<XNADetail>& OpenDocumentChecks::applications(const DocumentKey& doc) const {
  static const std::vector<XNADetail> none;
  const auto found = applications_.find(doc);
  return found == applications_.end() ? none : found->second;
}

ClosedLineChecks::ClosedLineChecks(PayApp& a) {
  eachRow<ARDoc>(a.CSR_ARDOC, "XNAARDoc_ClosedBatch " + SParm(a.bXNAHeader.NABatNbr),
                 [&](const ARDoc& d) { documents_.emplace(std::pair{stored(d.RefNbr), stored(d.CustId)}, d); });
  names_.read(a, "XNACustomer_Batch", a.bXNAHeader.NABatNbr.view());
}

const ARDoc* ClosedLineChecks::document(const Text<10>& refNbr, const Text<15>& custId) const {
  const auto found = documents_.find({stored(refNbr), stored(custId)});
  return found == documents_.end() ? nullptr : &found->second;
}

}  // namespace corvena::payapp
