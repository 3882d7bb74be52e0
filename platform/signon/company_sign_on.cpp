#include "platform/signon/company_sign_on.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "platform/db/host_records.h"
#include "platform/db/server_roles.h"
#include "platform/signon/user_directory.h"

namespace corvena::signon {

namespace {

// The company's name and currency; a database without companies takes any company.
bool readCompany(db::Database& database, const std::string& company, corvena::bpes& pes) {
  Company row;
  auto all = database.run("select count(*) from Company");
  const bool anyCompany = all.step() && std::get<std::int64_t>(all.column(0)) > 0;
  db::Call byId{"", "select * from Company where CpnyID = ?1", {company}};
  auto found = database.run(byId);
  if (!found.step()) return !anyCompany;
  found.readInto(row);
  pes.CpnyName = row.CpnyName.trimmed();
  pes.CuryId = row.BaseCuryId.trimmed();
  return true;
}

void readLedgerCurrency(db::Database& database, corvena::bpes& pes) {
  if (!pes.CuryId.blank()) return;
  auto setup = database.run("select BaseCuryId from GLSetup");
  if (setup.step()) {
    const auto v = setup.column(0);
    if (const auto* text = std::get_if<std::string>(&v)) pes.CuryId = *text;
  }
}

void fillSignOnRecords(forms::Session& session, const SignOnContext& signOn,
                       const std::string& program) {
  auto& pes = session.pes();
  pes.CpnyID = signOn.company;
  pes.UserId = signOn.user;
  pes.Prog = program;
  pes.Today = signOn.businessDate;
  pes.DBName = signOn.database;
  auto& cury = session.curyInfo();
  cury.CuryId = pes.CuryId.trimmed();
  if (cury.DecPl == 0) cury.DecPl = 2;
}

const SignOnRefusal kPasswordNeeded{
    kNotSignedOn, "Sign on with your password: give --password-file PATH or set CORVENA_PASSWORD."};
const SignOnRefusal kWrongPassword{kNotSignedOn, std::string(kWrongSignOn)};

std::optional<SignOnRefusal> openOnFile(const SignOnContext& signOn, SignedOn& out) {
  out.database = db::Database::open(signOn.database);
  UserDirectory users(*out.database);
  const auto now = std::chrono::system_clock::now();
  const unsigned unixUser = ::geteuid();
  if (!users.enforced() || users.checkTicket(signOn.user, signOn.ticket, now, unixUser))
    return std::nullopt;
  if (signOn.password.empty()) return kPasswordNeeded;
  if (!users.checkPassword(signOn.user, signOn.password, now)) return kWrongPassword;
  out.ticket = users.issueTicket(signOn.user, now, unixUser);
  ::setenv("CORVENA_TICKET", out.ticket.c_str(), 1);
  return std::nullopt;
}

// Without a password the connection string's own sign-on (a password file, the
// machine's user) must be the user's role.
std::optional<SignOnRefusal> openOnServer(const SignOnContext& signOn, SignedOn& out) {
  if (signOn.password.empty()) {
    out.database = db::Database::open(signOn.database);
    if (UserDirectory(*out.database).enforced() &&
        db::ServerRoles(*out.database).signedOnAs() != signOn.user)
      return kPasswordNeeded;
    return std::nullopt;
  }
  try {
    out.database = db::Database::open(signOn.database, db::Database::Access::Edit,
                                      {signOn.user, signOn.password});
  } catch (const db::DbError& e) {
    if (e.kind() == db::DbError::Kind::SignOn) return kWrongPassword;
    throw;
  }
  ::setenv("CORVENA_PASSWORD", signOn.password.c_str(), 1);
  return std::nullopt;
}

}  // namespace

std::optional<SignOnRefusal> openForUser(const SignOnContext& signOn, SignedOn& out) {
  refusePasswordIn(signOn.database);
  return db::Database::dialectOf(signOn.database) == db::Database::Dialect::PostgreSQL
             ? openOnServer(signOn, out)
             : openOnFile(signOn, out);
}

std::optional<SignOnRefusal> signOnSession(forms::Session& session, const SignOnContext& signOn,
                                           const std::string& program) {
  try {
    SignedOn opened;
    if (auto refused = openForUser(signOn, opened)) return refused;
    std::shared_ptr<db::Database> database = std::move(opened.database);
    if (!readCompany(*database, signOn.company, session.pes()))
      return SignOnRefusal{kLoadFailed, "The company " + signOn.company +
                                            " is not in the database " + signOn.database + "."};
    const forms::ScreenRights rights = UserDirectory(*database).rightsOn(signOn.user, program);
    if (!rights.view)
      return SignOnRefusal{kNoRights, "User " + signOn.user + " has no rights to open " + program + "."};
    readLedgerCurrency(*database, session.pes());
    session.setDatabase(std::move(database));
    session.updates().setRights(rights);
    fillSignOnRecords(session, signOn, program);
    return std::nullopt;
  } catch (const std::exception& e) {
    return SignOnRefusal{kLoadFailed,
                         "Cannot open the company database " + signOn.database + ": " + e.what()};
  }
}

std::optional<SignOnRefusal> drivenRefusal(const forms::Session& session, const std::string& program) {
  const auto& r = session.updates().rights();
  if (r.insert || r.update) return std::nullopt;
  return SignOnRefusal{kLimitedAccess, "User " + session.pes().UserId.trimmed() +
                                           " may only look at " + program + "."};
}

}  // namespace corvena::signon
