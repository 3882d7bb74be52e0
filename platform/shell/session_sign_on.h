#pragma once
// A screen session signed on: the context's company database opened for it,
// its sign-on records (user, company, date, program, currency) filled.

#include <optional>
#include <string>

#include "platform/forms/session.h"
#include "platform/shell/sign_on_context.h"

namespace corvena::shell {

// Why the session cannot sign on (no such database, company not in it); nothing
// when it is signed on.
std::optional<std::string> signOnSession(forms::Session& session, const SignOnContext& signOn,
                                         const std::string& program);

}  // namespace corvena::shell
