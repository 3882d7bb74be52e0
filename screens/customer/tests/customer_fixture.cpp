#include "screens/customer/tests/customer_fixture.h"

#include <unistd.h>

#include "screens/customer/qm18100_program.h"

namespace corvena::qm18100::testing {

OpenScreen::OpenScreen(const std::string& database, const std::string& user, const Date& today,
                       const std::string& company) {
  runtime::resetRuntimeState();
  auto options = runtime::parseScreenOptions(
      {"--db", database, "--user", user, "--company", company, "--date", today.iso()});
  process_ = std::make_unique<runtime::ScreenProcess>(QM18100Program(), std::move(options),
                                                      host::inProcessServices(), out_, err_);
  const auto ended = process_->start([](const std::string&) { return std::nullopt; });
  if (ended) ADD_FAILURE() << "QM18100 did not start: " << err_.str();
}

OpenScreen::~OpenScreen() {
  process_.reset();
  runtime::resetRuntimeState();
}

forms::HeadlessUi& OpenScreen::ui() {
  return dynamic_cast<forms::HeadlessUi&>(session().ui());
}

bool OpenScreen::set(const std::string& name, const std::string& value) {
  return session().enterValue(control(name), value);
}

bool OpenScreen::click(const std::string& name) {
  return session().click(control(name));
}

bool OpenScreen::addChild(const std::string& child) {
  return session().grids().startNewLine(grid()) && set("cSecondaryCustId", child);
}

std::vector<std::string> OpenScreen::children() {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < session().grids().lineCount(grid()); ++i)
    out.push_back(session().grids().cellText(grid(), i, control("cSecondaryCustId")));
  return out;
}

std::vector<std::string> OpenScreen::messages() {
  std::vector<std::string> out;
  for (const auto& m : ui().messages()) out.push_back(m.text);
  return out;
}

void CustomerSetup::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() / ("qm18100-" + std::to_string(::getpid()) + "-" +
                                                   info->test_suite_name() + "-" + info->name());
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  path_ = scratch_.database("company.db");
  db_ = db::Database::create(path_);
  db_->exec("insert into Company (CpnyID, CpnyName, BaseCuryId) values ('CO1', 'Demo', 'USD')");
  for (const char* id : {"P1", "P2", "C1", "C2", "C3", "C4"}) addCustomer(id);
  link("P2", "C4");
}

void CustomerSetup::TearDown() {
  db_.reset();
  std::filesystem::remove_all(dir_);
}

std::unique_ptr<OpenScreen> CustomerSetup::open(const std::string& user, const Date& today) {
  return std::make_unique<OpenScreen>(path_, user, today);
}

void CustomerSetup::addCustomer(const std::string& id, const std::string& cycle) {
  Customer c;
  c.CustId = id;
  c.Name = "Customer " + id;
  c.City = "City " + id;
  c.State = "ST";
  c.Phone = "5550100";
  c.StmtCycleId = cycle;
  c.Status = "A";
  c.FinChrgCustId = id;
  db_->insert("Customer", c);
}

void CustomerSetup::link(const std::string& parent, const std::string& child) {
  XNACustP p;
  p.PrimaryCustId = parent;
  p.cashreceipts = 1;
  if (rows("select 1 from XNACustP where PrimaryCustId = '" + parent + "'").empty())
    db_->insert("XNACustP", p);
  XNACustS s;
  s.PrimaryCustId = parent;
  s.SecondaryCustid = child;
  s.Crtd_Prog = "SEED";
  s.Crtd_User = "SEED";
  s.LUpd_Prog = "SEED";
  s.LUpd_User = "SEED";
  db_->insert("XNACustS", s);
}

std::vector<std::string> CustomerSetup::rows(const std::string& sql) {
  std::vector<std::string> out;
  auto st = db_->run(sql);
  while (st.step()) out.push_back(db::rowText(st));
  return out;
}

std::string CustomerSetup::value(const std::string& sql) {
  const auto all = rows(sql);
  return all.empty() ? std::string("<none>") : all.front();
}

XNACustP CustomerSetup::parentRow(const std::string& parent) {
  XNACustP row;
  auto st = db_->run("select * from XNACustP where PrimaryCustId = '" + parent + "'");
  if (st.step()) st.readInto(row);
  return row;
}

XNACustS CustomerSetup::childRow(const std::string& parent, const std::string& child) {
  XNACustS row;
  auto st = db_->run("select * from XNACustS where PrimaryCustId = '" + parent +
                     "' and SecondaryCustid = '" + child + "'");
  if (st.step()) st.readInto(row);
  return row;
}

}  // namespace corvena::qm18100::testing
