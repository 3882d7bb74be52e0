#include "platform/shell/password_hash.h"

#include <sodium.h>

#include <stdexcept>

namespace corvena::shell {

namespace {

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
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw std::runtime_error("not enough memory to hash the password");
  return hash;
}

bool passwordMatches(std::string_view password, const std::string& hash) {
  startSodium();
  if (hash.empty()) return false;
  return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string newTicket() {
  startSodium();
  unsigned char bytes[32];
  randombytes_buf(bytes, sizeof bytes);
  return hex(bytes, sizeof bytes);
}

std::string ticketHash(std::string_view ticket) {
  startSodium();
  unsigned char digest[crypto_generichash_BYTES];
  crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(ticket.data()),
                     ticket.size(), nullptr, 0);
  return hex(digest, sizeof digest);
}

}  // namespace corvena::shell
