#include "screens/setup/tests/setup_fixture.h"

#include <unistd.h>

#include <sstream>

#include "platform/db/database.h"
#include "platform/db/host_records.h"
#include "runtime/app_information.h"
#include "runtime/tables/records.h"
#include "screens/setup/qm18200.h"
#include "screens/setup/qm18200_form.h"

namespace corvena::qm18200::testing {

void SetupScreen::SetUp() {
  runtime::resetRuntimeState();
  dir_ = std::filesystem::temp_directory_path() /
         ("corvena-qm18200-" + std::to_string(::getpid()) + "-" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  ::setenv("CORVENA_REGISTRY", (dir_ / "registry").c_str(), 1);
  database_ = scratch_.database("company.db");
  auto db = db::Database::create(database_);
  for (const char* acct : {"1010", "1020"}) {
    Account account{};
    account.Acct = acct;
    account.Active = 1;
    db->insert("Account", account);
  }
  for (const auto& [sub, active] :
       {std::pair{"00-000-00", 1}, {"01-100-00", 1}, {"99-999-99", 0}}) {
    SubAcct subaccount{};
    subaccount.Sub = sub;
    subaccount.Active = static_cast<std::int16_t>(active);
    db->insert("SubAcct", subaccount);
  }
}

void SetupScreen::TearDown() {
  std::filesystem::remove_all(dir_);
}

runtime::ScreenDefinition SetupScreen::definition() {
  return {.program = "QM18200", .form = QM18200Form, .registerHandlers = [](forms::Form& form) {
            registerHandlers(form);
          }};
}

runtime::ScreenOptions SetupScreen::signedOn() const {
  runtime::ScreenOptions options;
  options.signOn.database = database_;
  options.signOn.user = "CLERK1";
  options.signOn.company = "0060";
  options.signOn.date = "2026-03-02";
  return options;
}

ScriptRun SetupScreen::run(const std::string& script) {
  const auto screen = definition();
  std::ostringstream out, err;
  runtime::ScreenProcess process(screen, signedOn(), host::defaultHostServices(), out, err);
  ScriptRun result;
  if (auto ended = process.start([](const std::string&) { return std::nullopt; })) {
    result.exitCode = *ended;
  } else {
    result.exitCode = process.close(process.runScript(script));
  }
  result.output = out.str() + err.str();
  return result;
}

void SetupScreen::storeSetup(const std::string& account, const std::string& sub,
                             const std::string& batch) {
  XNASetup row{};
  row.vond1 = account;
  row.vond2 = sub;
  row.LastNABatNbr = batch;
  db::Database::open(database_)->insert("XNASetup", row);
}

std::vector<std::string> SetupScreen::setupRows() {
  auto db = db::Database::open(database_);
  auto statement = db->run("SELECT vond1, vond2, LastNABatNbr FROM XNASetup");
  std::vector<std::string> rows;
  while (statement.step()) {
    std::string row;
    for (int c = 0; c < 3; ++c) {
      const auto value = statement.column(c);
      row += (c ? "|" : "") + (std::holds_alternative<std::string>(value)
                                   ? std::get<std::string>(value)
                                   : std::string());
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace corvena::qm18200::testing
