#include "platform/forms/session.h"
#include "platform/program/exit_codes.h"
#include "platform/signon/company_sign_on.h"
#include "runtime/host/host_process.h"

namespace corvena::host {

namespace {

int loginFailed(const std::string& why, int number = signon::kNotSignedOn) {
  auto& hp = hostProcess();
  hp.failure = why;
  hp.failureNumber = number;
  hp.exitCode = program::kExitNoSignOn;
  return 1;
}

}  // namespace

int SqlLogin(std::string_view, std::string&, std::string_view, std::string&, std::string_view,
             int) {
  auto& hp = hostProcess();
  if (!hp.signOn) return loginFailed("No sign-on context: no company database to open.");
  const auto refused = signon::signOnSession(forms::session(), *hp.signOn, hp.program);
  return refused ? loginFailed(refused->text, refused->number) : 0;
}

}  // namespace corvena::host
