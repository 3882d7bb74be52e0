#include "runtime/tests/runtime_fixture.h"

#include "platform/db/database.h"
#include "runtime/app_information.h"
#include "runtime/registry_value.h"

namespace corvena::runtime::testing {

host::HostServices FakeShell::services() {
  host::HostServices s;
  s.shellRunning = [this] { return running; };
  s.prepareShellStart = [this] { ++prepared; };
  s.startProgram = [this](const std::string& command) {
    started.push_back(command);
    return 0;
  };
  s.loginState = [this](std::optional<signon::SignOnContext>& signOn) {
    const std::size_t i = std::min<std::size_t>(polls++, loginStates.size() - 1);
    if (loginStates[i] == 1 && contextAtLogin) signOn = contextAtLogin;
    return loginStates[i];
  };
  s.pumpEvents = [this] { ++pumps; };
  s.runProgramAndWait = [this](const std::string& command) {
    started.push_back(command);
    return 0;
  };
  s.endProcess = [](int code) { throw host::ProcessEnded{code}; };
  s.libraryVersion = libraryVersion;
  return s;
}

void RuntimeTest::SetUp() {
  resetRuntimeState();
  App().clearProperties();
  database_ = (dir_ / "company.db").string();
  db::Database::create(database_);
  registry_ = (dir_ / "registry").string();
  ::setenv("CORVENA_REGISTRY", registry_.c_str(), 1);
  definition_ = screen_.definition();
}

void RuntimeTest::TearDown() {
  process_.reset();
  resetRuntimeState();
  ::unsetenv("CORVENA_REGISTRY");
}

std::vector<std::string> RuntimeTest::signOnArgs() const {
  return {"--db", database_, "--user", "ANN", "--company", "CO1", "--date", "2026-03-31"};
}

std::optional<int> RuntimeTest::start(std::vector<std::string> args) {
  process_.reset();
  process_ = std::make_unique<ScreenProcess>(definition_, parseScreenOptions(std::move(args)),
                                             shell_.services(), out_, err_);
  return process_->start([](const std::string&) { return std::nullopt; });
}

void RuntimeTest::storeRegistry(std::string_view name, RegistryValue value) {
  auto store = RegistryStore::load(registry_);
  store.write(HKEY_LOCAL_MACHINE, standardRuntime().toolsKey, name, std::move(value));
  store.save(registry_);
}

std::vector<std::string> RuntimeTest::messages() const {
  std::vector<std::string> out;
  std::istringstream lines(out_.str());
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("MESSAGE ", 0) == 0) out.push_back(line);
  return out;
}

}  // namespace corvena::runtime::testing
