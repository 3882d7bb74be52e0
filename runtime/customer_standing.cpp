#include "runtime/customer_standing.h"

#include "runtime/host/kelpapi.h"
#include "runtime/tables/host_tables.h"

namespace corvena::runtime {

using namespace corvena::host;

namespace {

constexpr int kCursorOutsideLevels = 15;

std::string standing(const Text<1>& status) {
  if (status == "H") return "on hold";
  if (status == "I") return "inactive";
  return "not active";
}

}  // namespace

std::string CustomerRefusal(std::string_view customer) {
  const std::string id = Text<15>(customer).trimmed();
  if (id.empty()) return {};  // a required field says so itself
  Cursor cursor;
  SqlCursor(cursor, kCursorOutsideLevels);
  Customer row{};
  const bool found = SqlFetch1(cursor, "select * from Customer where CustId = " + SParm(id), row,
                               sizeof row) != NotFound;
  SqlFree(cursor);
  if (!found) return "Customer " + id + " is not on file.";
  if (row.Status == "A") return {};
  return "Customer " + id + " is " + standing(row.Status) + ": AR takes no documents for it.";
}

bool RefusedCustomer(std::string_view customer) {
  const std::string why = CustomerRefusal(customer);
  if (why.empty()) return false;
  MessBox(why, StyleWarning, "National Accounts");
  return true;
}

}  // namespace corvena::runtime
