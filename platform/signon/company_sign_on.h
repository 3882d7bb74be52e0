#pragma once
// A screen session signed on: the context's company database opened for it,
// its sign-on records (user, company, date, program, currency) filled.

#include <optional>
#include <string>

#include "platform/forms/session.h"
#include "platform/signon/sign_on_context.h"

namespace corvena::signon {

// Why a session was not signed on, numbered as a driving caller is told.
struct SignOnRefusal {
  int number;
  std::string text;
};
inline constexpr int kNotSignedOn = 7506;   // no password, a wrong one, or no valid ticket
inline constexpr int kNoRights = 7516;      // no right to view the screen
inline constexpr int kLimitedAccess = 7517; // may look, but not enter what a caller drives
inline constexpr int kLoadFailed = 7520;    // no such database, company not in it

// The company database opened for a user who has shown who they are. On a file
// the company's users check the ticket or password, and a password sign-on
// issues a ticket (`ticket`, and CORVENA_TICKET for the programs this one
// starts). On a server the user signs on as their own server role, whose
// password the server checks; the programs this one starts present the same
// password (CORVENA_PASSWORD), which the server checks again. Throws DbError when
// the database cannot be opened.
struct SignedOn {
  std::shared_ptr<db::Database> database;
  std::string ticket;
};
std::optional<SignOnRefusal> openForUser(const SignOnContext& signOn, SignedOn& out);

// Signs the session on: the user checked by ticket or password when the company
// has users, the screen's rights set. Nothing when it is signed on. A password
// sign-on hands a ticket on (CORVENA_TICKET) to the programs this one starts.
std::optional<SignOnRefusal> signOnSession(forms::Session& session, const SignOnContext& signOn,
                                           const std::string& program);
// A screen driven by another program must be able to enter and save.
std::optional<SignOnRefusal> drivenRefusal(const forms::Session& session, const std::string& program);

}  // namespace corvena::signon
