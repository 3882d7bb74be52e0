#include "platform/signon/user_directory.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "platform/signon/password_hash.h"

namespace corvena::signon {

namespace {

constexpr std::chrono::hours kTicketLife{12};


std::int64_t numberOf(const db::Value& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
  return 0;
}

}  // namespace

std::string screenKey(std::string_view program) {
  std::size_t i = 0;
  while (i < program.size() && !std::isdigit(static_cast<unsigned char>(program[i]))) ++i;
  return i == program.size() ? std::string(program) : std::string(program.substr(i, 5));
}

std::string storedTime(Clock time) {
  const std::time_t t = std::chrono::system_clock::to_time_t(time);
  std::tm utc{};
  gmtime_r(&t, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  return text;
}

std::string UserDirectory::textAt(const db::Statement& st, int column) {
  const db::Value v = st.column(column);
  const auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}

std::vector<std::string> UserDirectory::firstColumn(db::Statement st) {
  std::vector<std::string> out;
  while (st.step()) out.push_back(textAt(st, 0));
  return out;
}

db::Statement UserDirectory::query(const std::string& sql, std::vector<db::Value> params) {
  return db_.run(db::Call{"", sql, std::move(params)});
}

void UserDirectory::write(const std::string& sql, std::vector<db::Value> params) {
  query(sql, std::move(params)).step();
}

bool UserDirectory::enforced() {
  if (db_.columns("SecUser").empty()) return false;
  auto st = query("SELECT 1 FROM SecUser LIMIT 1", {});
  return st.step();
}

bool UserDirectory::hasUser(const std::string& user) {
  return query("SELECT 1 FROM SecUser WHERE UserId = ?1", {user}).step();
}

// A refusal costs the same whether the user is unknown, held off or gave a wrong
// password: one hash checked, one failure written (to no row for an unknown user,
// unchanged while held), so neither its time nor its work tells them apart.
bool UserDirectory::checkPassword(const std::string& user, std::string_view password, Clock now) {
  auto st = query("SELECT PasswordHash, FailedSignOns, LockedUntil FROM SecUser WHERE UserId = ?1",
                  {user});
  const bool known = st.step();
  const std::string hash = known ? textAt(st, 0) : std::string();
  const int failures = known ? static_cast<int>(numberOf(st.column(1))) : 0;
  const std::string heldUntil = known ? textAt(st, 2) : std::string();
  st = db::Statement();
  const bool held = heldUntil > storedTime(now);
  const bool matches = passwordMatches(password, hash);
  if (matches && !held) {
    if (failures > 0 && !db_.viewOnly())
      write("UPDATE SecUser SET FailedSignOns = 0, LockedUntil = '' WHERE UserId = ?1", {user});
    return true;
  }
  if (held)
    writeFailures(user, failures, heldUntil);
  else
    writeFailures(user, failures + 1, holdAfter(failures + 1, now));
  return false;
}

// Each failure past the free ones doubles the hold, up to the longest.
std::string UserDirectory::holdAfter(int failures, Clock now) {
  if (failures < kFreeFailures) return "";
  const auto hold = std::min<std::chrono::seconds>(
      std::chrono::seconds(1LL << std::min(failures - kFreeFailures, 20)), kLongestHold);
  return storedTime(now + hold);
}

void UserDirectory::writeFailures(const std::string& user, int failures, const std::string& until) {
  if (db_.viewOnly()) return;
  write("UPDATE SecUser SET FailedSignOns = ?2, LockedUntil = ?3 WHERE UserId = ?1",
        {user, std::int64_t{failures}, until});
}

std::string UserDirectory::issueTicket(const std::string& user, Clock now, unsigned unixUser) {
  const std::string ticket = newTicket();
  if (db_.viewOnly()) return ticket;
  db::Transaction tx(db_);
  write("DELETE FROM SecTicket WHERE Expires < ?1", {storedTime(now)});
  write("INSERT INTO SecTicket (TicketHash, UserId, Expires) VALUES (?1, ?2, ?3)",
        {ticketHash(ticket, unixUser), user, storedTime(now + kTicketLife)});
  tx.commit();
  return ticket;
}

bool UserDirectory::checkTicket(const std::string& user, std::string_view ticket, Clock now,
                                unsigned unixUser) {
  return !ticket.empty() &&
         query("SELECT 1 FROM SecTicket WHERE TicketHash = ?1 AND UserId = ?2 AND Expires >= ?3",
               {ticketHash(ticket, unixUser), user, storedTime(now)})
             .step();
}

bool UserDirectory::isAdministrator(const std::string& user) {
  auto st = query("SELECT Administrator FROM SecUser WHERE UserId = ?1", {user});
  return st.step() && numberOf(st.column(0)) != 0;
}

forms::ScreenRights UserDirectory::rightsOn(const std::string& user, const std::string& screen) {
  if (!enforced() || isAdministrator(user)) return {};
  forms::ScreenRights rights = forms::ScreenRights::none();
  auto st = query(
      "SELECT Rights FROM SecRight WHERE ScreenNbr IN (?2, '*') AND (Grantee = ?1 OR Grantee IN"
      " (SELECT GroupId FROM SecGroupMember WHERE UserId = ?1))",
      {user, screenKey(screen)});
  while (st.step()) rights |= forms::ScreenRights::fromLetters(textAt(st, 0));
  return rights;
}

void UserDirectory::addUser(const std::string& user, const std::string& name,
                            std::string_view password, bool administrator) {
  const bool server = keepServerRole(user, password);
  write("INSERT INTO SecUser (UserId, UserName, PasswordHash, Administrator) VALUES (?1, ?2, ?3, ?4)",
        {user, name, server ? "" : hashPassword(password), std::int64_t{administrator}});
  afterChange(user);
}

void UserDirectory::setPassword(const std::string& user, std::string_view password) {
  const bool server = keepServerRole(user, password);
  write("UPDATE SecUser SET PasswordHash = ?2, FailedSignOns = 0, LockedUntil = '' WHERE UserId = ?1",
        {user, server ? "" : hashPassword(password)});
  endTickets(user);
}

// A ticket is a sign-on already made: whoever held the old password, or the
// rights now taken away, signs on again.
void UserDirectory::endTickets(const std::string& grantee) {
  write("DELETE FROM SecTicket WHERE UserId = ?1 OR UserId IN"
        " (SELECT UserId FROM SecGroupMember WHERE GroupId = ?1)",
        {grantee});
}

void UserDirectory::addToGroup(const std::string& group, const std::string& user) {
  write("INSERT INTO SecGroupMember (GroupId, UserId) VALUES (?1, ?2)"
        " ON CONFLICT (GroupId, UserId) DO NOTHING", {group, user});
  afterChange(user);
}

void UserDirectory::grant(const std::string& grantee, const std::string& screen,
                          const std::string& letters) {
  const std::string given = forms::ScreenRights::fromLetters(letters).letters();
  auto held = query("SELECT Rights FROM SecRight WHERE Grantee = ?1 AND ScreenNbr = ?2",
                    {grantee, screenKey(screen)});
  const bool takesAway = held.step() && textAt(held, 0).find_first_not_of(given) != std::string::npos;
  held = db::Statement();
  if (takesAway) endTickets(grantee);
  write("INSERT INTO SecRight (Grantee, ScreenNbr, Rights) VALUES (?1, ?2, ?3)"
        " ON CONFLICT (Grantee, ScreenNbr) DO UPDATE SET Rights = excluded.Rights",
        {grantee, screenKey(screen), given});
  afterChange(grantee);
}

void UserDirectory::revoke(const std::string& grantee, const std::string& screen) {
  endTickets(grantee);
  write("DELETE FROM SecRight WHERE Grantee = ?1 AND ScreenNbr = ?2", {grantee, screenKey(screen)});
  afterChange(grantee);
}

}  // namespace corvena::signon
