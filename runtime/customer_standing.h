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

}  // namespace corvena::runtime
