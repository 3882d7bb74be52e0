#pragma once
// The host's AR screens take documents only for active customers. A customer
// on hold or inactive is refused where a clerk names it, with the reason, rather
// than by the host halfway through a release.

#include <string>
#include <string_view>

namespace corvena::runtime {

// Why AR takes no documents for the customer; empty when it does, or none is named.
std::string CustomerRefusal(std::string_view customer);
// Shows the reason and answers true when AR takes no documents for the customer.
bool RefusedCustomer(std::string_view customer);

// While one lives, the customers of the parent's national account are answered
// from one read, not a statement each: for an action that types many lines at
// once (a remittance's import). AR refuses such a customer at release anyway.
class FamilyStanding {
 public:
  explicit FamilyStanding(std::string_view parent);
  ~FamilyStanding();
  FamilyStanding(const FamilyStanding&) = delete;
  FamilyStanding& operator=(const FamilyStanding&) = delete;
};

}  // namespace corvena::runtime
