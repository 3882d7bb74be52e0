#include "screens/customer/tests/customer_fixture.h"

#include "screens/customer/qm18100_program.h"

namespace corvena::qm18100::testing {

OpenScreen::OpenScreen(const std::string& database, const std::string& user, const Date& today,
                       const std::string& company)
    : ScreenUnderTest(QM18100Program(), {database, user, company, today.iso()}) {
  if (ended()) ADD_FAILURE() << "QM18100 did not start: " << output();
}

bool OpenScreen::addChild(const std::string& child) {
  return within([&] { return session().grids().startNewLine(grid()); }) && set("cSecondaryCustId", child);
}

void CustomerSetup::SetUp() {
  path_ = scratch_.database("company.db");
  db_ = db::Database::create(path_);
  db_->exec("insert into Company (CpnyID, CpnyName, BaseCuryId) values ('CO1', 'Demo', 'USD')");
  for (const char* id : {"P1", "P2", "C1", "C2", "C3", "C4"}) addCustomer(id);
  link("P2", "C4");
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
