#include "screens/setup/tests/setup_fixture.h"

#include "platform/db/database.h"
#include "platform/db/host_records.h"
#include "runtime/app_information.h"
#include "runtime/tables/records.h"
#include "screens/setup/qm18200.h"
#include "screens/setup/qm18200_form.h"

namespace corvena::qm18200::testing {

void SetupScreen::SetUp() {
  ::setenv("CORVENA_REGISTRY", scratch_.file("registry").c_str(), 1);
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

runtime::ScreenDefinition SetupScreen::definition() {
  return {.program = "QM18200", .form = QM18200Form, .registerHandlers = [](forms::Form& form) {
            registerHandlers(form);
          }};
}

screens::testing::SignOn SetupScreen::signedOn() const {
  return {database_, "CLERK1", "0060", "2026-03-02"};
}

ScriptRun SetupScreen::run(const std::string& script) {
  return screens::testing::runScript(definition(), signedOn(), script, host::defaultHostServices());
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
