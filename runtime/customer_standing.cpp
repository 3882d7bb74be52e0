#include "runtime/customer_standing.h"

#include <map>
#include <optional>

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

std::string refusalOf(const std::string& id, const Customer& row) {
  if (row.Status == "A") return {};
  return "Customer " + id + " is " + standing(row.Status) + ": AR takes no documents for it.";
}

// The refusals a living FamilyStanding read, by customer.
std::optional<std::map<std::string, std::string>> known;

}  // namespace

std::string CustomerRefusal(std::string_view customer) {
  const std::string id = Text<15>(customer).trimmed();
  if (id.empty()) return {};  // a required field says so itself
  if (known)
    if (const auto found = known->find(id); found != known->end()) return found->second;
  Cursor cursor;
  SqlCursor(cursor, kCursorOutsideLevels);
  Customer row{};
  const bool found = SqlFetch1(cursor, "select * from Customer where CustId = " + SParm(id), row,
                               sizeof row) != NotFound;
  SqlFree(cursor);
  if (!found) return "Customer " + id + " is not on file.";
  return refusalOf(id, row);
}

FamilyStanding::FamilyStanding(std::string_view parent) {
  std::map<std::string, std::string> read;
  Cursor cursor;
  SqlCursor(cursor, kCursorOutsideLevels);
  Customer row{};
  for (int rc = SqlFetch1(cursor, "XNACustomer_Family " + SParm(Text<15>(parent).trimmed()), row,
                          sizeof row);
       rc != NotFound; rc = SFetch1(cursor, row, sizeof row))
    read[row.CustId.trimmed()] = refusalOf(row.CustId.trimmed(), row);
  SqlFree(cursor);
  known = std::move(read);
}

FamilyStanding::~FamilyStanding() { known.reset(); }

bool RefusedCustomer(std::string_view customer) {
  const std::string why = CustomerRefusal(customer);
  if (why.empty()) return false;
  MessBox(why, StyleWarning, "National Accounts");
  return true;
}

}  // namespace corvena::runtime
