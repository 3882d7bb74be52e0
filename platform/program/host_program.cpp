#include "platform/program/host_program.h"

#include <ostream>

#include "platform/automation/automation_server.h"
#include "platform/automation/script_driver.h"
#include "platform/automation/wire.h"
#include "platform/program/desk.h"
#include "platform/program/exit_codes.h"
#include "platform/program/launcher.h"
#include "platform/signon/company_sign_on.h"
#include "platform/signon/user_directory.h"

namespace corvena::program {

namespace {

// The host's screens have no start-up of their own to guard: a fault escapes to the launcher.
class HostScreenRun : public LaunchedScreen {
 public:
  HostScreenRun(const HostScreenProgram& screen, ScreenOptions options, std::ostream& out,
                std::ostream& err)
      : screen_(screen), options_(std::move(options)), scope_(session_), driver_(session_, out),
        err_(err) {}

  forms::Session& session() override { return session_; }
  int startFailureNumber() const override { return failureNumber_; }

  std::optional<int> start(const signon::EnvironmentLookup& env) override {
    try {
      const auto context = findSignOn(options_, env, false);
      if (!context) return refused(automation::kErrNotLoggedIn, std::string(kNoSignOn));
      handlers_ = openHostScreen(session_, *context, screen_, options_.parameters);
    } catch (const SignOnRefused& e) {
      return refused(e.number, e.what());
    } catch (const signon::SignOnError& e) {
      return refused(automation::kErrNotLoggedIn, e.what());
    } catch (const std::runtime_error& e) {
      return refused(automation::kErrDuringLoad, e.what());
    }
    return std::nullopt;
  }

  int runScript(std::string_view script) override { return driver_.run(script); }
  int runStream(std::istream& in) override { return driver_.runStream(in); }
  std::optional<int> serve(std::istream& in, std::ostream& wire) override {
    if (automation::serveRequests(driver_, in, wire) == automation::Served::HandedOver)
      return std::nullopt;
    return kExitPassed;
  }
  int runDesk(int& argc, char** argv) override {
    const int code = showDesk(session_, argc, argv);
    closeDesk(session_);
    return code;
  }
  int close(int exitCode) override { return exitCode; }

 private:
  int refused(int number, const std::string& why) {
    failureNumber_ = number;
    err_ << why << "\n";
    return kExitNoSignOn;
  }

  const HostScreenProgram& screen_;
  ScreenOptions options_;
  forms::Session session_;
  forms::SessionScope scope_;
  automation::ScriptDriver driver_;
  std::ostream& err_;
  std::shared_ptr<void> handlers_;
  int failureNumber_ = 0;
};

}  // namespace

std::shared_ptr<void> openHostScreen(forms::Session& session, const signon::SignOnContext& signOn,
                                     const HostScreenProgram& screen,
                                     const std::vector<std::string>& parameters) {
  if (const auto refused = signon::signOnSession(session, signOn, screen.program))
    throw SignOnRefused(refused->number, refused->text);
  if (screen.administratorsOnly &&
      !signon::UserDirectory(session.database()).mayAdminister(signOn.user))
    throw SignOnRefused(signon::kNoRights, "User " + signOn.user +
                                               " is not an administrator: only an "
                                               "administrator keeps the company's users and rights.");
  forms::Form& form = session.loadForm(screen.form());
  auto handlers = screen.attach(form, parameters);
  session.raiseLoad(form);
  return handlers;
}

int runHostScreen(int argc, char** argv, const HostScreenProgram& screen) {
  return runProgram(argc, argv, {screen.program, screen.form().caption},
                    [&](ScreenOptions options, std::ostream& out, std::ostream& err) {
                      return std::make_unique<HostScreenRun>(screen, std::move(options), out, err);
                    });
}

}  // namespace corvena::program
