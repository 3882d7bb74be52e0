#pragma once
// Passwords are kept only as salted, deliberately slow hashes; sign-on tickets
// only as fast hashes, since a ticket is long and random.

#include <string>
#include <string_view>

namespace corvena::signon {

std::string hashPassword(std::string_view password);
bool passwordMatches(std::string_view password, const std::string& hash);
// A hash made as every stored one is, that no password is known to match:
// checked in place of a user's that does not exist, at the same cost.
const std::string& decoyHash();
// Whether the hash was made at other costs than a new one would be.
bool madeAtOtherCosts(const std::string& hash);

// The slow hashes this process has made and checked: what a sign-on cost.
struct PasswordWork {
  int made = 0;
  int checked = 0;
};
PasswordWork passwordWork();

// A new random ticket, and the text a ticket issued to a Unix user (uid) is
// kept and looked up by.
std::string newTicket();
std::string ticketHash(std::string_view ticket, unsigned unixUser);

}  // namespace corvena::signon
