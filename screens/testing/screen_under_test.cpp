#include "screens/testing/screen_under_test.h"

#include <cstdlib>

namespace corvena::screens::testing {

namespace {

runtime::ScreenOptions optionsFor(const SignOn& signOn) {
  runtime::ScreenOptions options;
  options.signOn.database = signOn.database;
  options.signOn.user = signOn.user;
  options.signOn.company = signOn.company;
  options.signOn.date = signOn.date;
  options.signOn.passwordFile = signOn.passwordFile;
  return options;
}

// Only the password comes from the test's environment: the rest of the sign-on is the test's.
std::optional<std::string> passwordOnly(const std::string& name) {
  const char* password = std::getenv("CORVENA_PASSWORD");
  if (name != "CORVENA_PASSWORD" || !password) return std::nullopt;
  return password;
}

}  // namespace

ScreenUnderTest::ScreenUnderTest(runtime::ScreenDefinition screen, const SignOn& signOn,
                                 host::HostServices services, std::unique_ptr<forms::Ui> ui)
    : screen_(std::move(screen)) {
  runtime::resetRuntimeState();
  process_ = std::make_unique<runtime::ScreenProcess>(screen_, optionsFor(signOn),
                                                      std::move(services), out_, err_);
  if (ui) process_->session().setUi(std::move(ui));
  ended_ = within([&] { return process_->start(passwordOnly); });
}

ScreenUnderTest::~ScreenUnderTest() = default;

forms::HeadlessUi& ScreenUnderTest::ui() {
  return dynamic_cast<forms::HeadlessUi&>(session().ui());
}

bool ScreenUnderTest::set(const std::string& name, const std::string& value) {
  return within([&] { return session().enterValue(control(name), value); });
}

bool ScreenUnderTest::click(const std::string& name) {
  return within([&] { return session().click(control(name)); });
}

bool ScreenUnderTest::save() {
  return within([&] { return session().updates().save(); });
}

std::string ScreenUnderTest::shown(const std::string& name) {
  return within([&] { return session().displayText(control(name)); });
}

std::size_t ScreenUnderTest::lineCount(const std::string& grid) {
  return within([&] { return session().grids().lineCount(control(grid)); });
}

std::vector<std::string> ScreenUnderTest::column(const std::string& name, const std::string& grid) {
  return within([&] {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < session().grids().lineCount(control(grid)); ++i)
      out.push_back(session().grids().cellText(control(grid), i, control(name)));
    return out;
  });
}

std::vector<std::string> ScreenUnderTest::messages() {
  std::vector<std::string> out;
  for (const auto& m : ui().messages()) out.push_back(m.text);
  return out;
}

int ScreenUnderTest::run(std::string_view script) {
  return within([&] { return process_->runScript(script); });
}

int ScreenUnderTest::close(int exitCode) {
  return within([&] { return process_->close(exitCode); });
}

ScriptRun runScript(const runtime::ScreenDefinition& screen, const SignOn& signOn,
                    std::string_view script, host::HostServices services) {
  ScreenUnderTest s(screen, signOn, std::move(services));
  ScriptRun result;
  result.exitCode = s.ended() ? *s.ended() : s.close(s.run(script));
  result.output = s.output();
  return result;
}

}  // namespace corvena::screens::testing
