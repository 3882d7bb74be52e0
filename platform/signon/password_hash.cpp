#include "platform/signon/password_hash.h"

#include <sodium.h>

#include <atomic>
#include <stdexcept>

namespace corvena::signon {

namespace {

std::atomic<int> hashesMade{0}, hashesChecked{0};

void startSodium() {
  if (sodium_init() < 0) throw std::runtime_error("the password library could not start");
}

std::string hex(const unsigned char* bytes, std::size_t size) {
  std::string out(size * 2 + 1, '\0');
  sodium_bin2hex(out.data(), out.size(), bytes, size);
  out.pop_back();
  return out;
}

}  // namespace

std::string hashPassword(std::string_view password) {
  startSodium();
  ++hashesMade;
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw std::runtime_error("not enough memory to hash the password");
  return hash;
}

bool passwordMatches(std::string_view password, const std::string& hash) {
  startSodium();
  ++hashesChecked;
  // A user without a hash costs what a user with one does.
  const std::string& checked = hash.empty() ? decoyHash() : hash;
  return crypto_pwhash_str_verify(checked.c_str(), password.data(), password.size()) == 0 &&
         !hash.empty();
}

// Made once with hashPassword, so no sign-on pays for making it.
const std::string& decoyHash() {
  static const std::string hash =
      "$argon2id$v=19$m=65536,t=2,p=1$GB6819KiPrWSFzzYwLnVEA$ZOOrqZcWaVLMt5VXC6+0tpcXlX0Ogvs65s58s4LiQHY";
  return hash;
}

bool madeAtOtherCosts(const std::string& hash) {
  startSodium();
  return crypto_pwhash_str_needs_rehash(hash.c_str(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0;
}

PasswordWork passwordWork() { return {hashesMade.load(), hashesChecked.load()}; }

std::string newTicket() {
  startSodium();
  unsigned char bytes[32];
  randombytes_buf(bytes, sizeof bytes);
  return hex(bytes, sizeof bytes);
}

// The Unix user is hashed in: the same ticket shown by anyone else matches nothing.
std::string ticketHash(std::string_view ticket, unsigned unixUser) {
  startSodium();
  const std::string issued = std::to_string(unixUser) + ":" + std::string(ticket);
  unsigned char digest[crypto_generichash_BYTES];
  crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(issued.data()),
                     issued.size(), nullptr, 0);
  return hex(digest, sizeof digest);
}

}  // namespace corvena::signon
