#pragma once
// Passwords are kept only as salted, deliberately slow hashes; sign-on tickets
// only as fast hashes, since a ticket is long and random.

#include <string>
#include <string_view>

namespace corvena::shell {

std::string hashPassword(std::string_view password);
bool passwordMatches(std::string_view password, const std::string& hash);

// A new random ticket, and the text a ticket is kept and looked up by.
std::string newTicket();
std::string ticketHash(std::string_view ticket);

}  // namespace corvena::shell
