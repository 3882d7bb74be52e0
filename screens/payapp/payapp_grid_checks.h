#pragma once
// What each grid line is checked against while the grid loads (an unreleased
// payment touching the document, another batch's application, the released
// document of a closed batch's line, the customer's name), read for the whole
// account or batch in a fixed number of statements and answered from memory, so
// that a load's round trips do not grow with its lines.

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

// Customer, document type, reference: trimmed, as the per-document look-ups take them.
using DocumentKey = std::tuple<std::string, std::string, std::string>;

class CustomerNames {
 public:
  void read(PayApp& a, std::string_view procedure, std::string_view parameter);
  // Blank for a customer that is not there.
  std::string of(const Text<15>& custId) const;

 private:
  std::map<std::string, std::string> names_;
};

// The open documents of the parent in bXNAHeader and its children.
class OpenDocumentChecks {
 public:
  explicit OpenDocumentChecks(PayApp& a);
  bool unreleasedPayment(const DocumentKey& doc) const { return unreleased_.count(doc) != 0; }
  // The applications of batches not yet closed, in batch order.
  const std::vector<XNADetail>& applications(const DocumentKey& doc) const;
  const CustomerNames& names() const { return names_; }

 private:
  std::set<DocumentKey> unreleased_;
  std::map<DocumentKey, std::vector<XNADetail>> applications_;
  CustomerNames names_;
};

// The applications of the closed batch in bXNAHeader.
class ClosedLineChecks {
 public:
  explicit ClosedLineChecks(PayApp& a);
  // The released document of the reference and customer; nullptr when there is none.
  const ARDoc* document(const Text<10>& refNbr, const Text<15>& custId) const;
  const CustomerNames& names() const { return names_; }

 private:
  std::map<std::pair<std::string, std::string>, ARDoc> documents_;
  CustomerNames names_;
};

}  // namespace corvena::payapp
