#include "screens/payapp/tests/payapp_fixture.h"

#include <algorithm>

#include "platform/forms/messages.h"
#include "runtime/kelpbas.h"
#include "runtime/tables/payment_invariants.h"
#include "screens/payapp/payapp_form.h"
#include "screens/payapp/payapp_screen.h"

namespace corvena::payapp::testing {

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

std::string hostMessage(int number) {
  return forms::formatMessage(number, {});
}

runtime::ScreenDefinition qm18300Program() {
  return {.program = "QM18300", .form = Form1Desc, .registerHandlers = [](forms::Form& form) {
            registerHandlers(form);
          }};
}

OpenScreen::OpenScreen(const std::string& database, const std::string& company, const Date& today)
    : ScreenUnderTest(qm18300Program(), {database, "CLERK1", company, today.iso()}) {
  if (ended()) ADD_FAILURE() << "QM18300 did not start: " << output();
}

PayApp& OpenScreen::app() {
  return *within([] { return &payapp(); });
}

bool OpenScreen::newBatch() {
  return within([&] { return session().updates().newRecord(0); });
}

bool OpenScreen::selectLine(int index) {
  return within([&] { return session().grids().selectLine(grid(), index); });
}

std::vector<std::string> OpenScreen::documents() {
  const auto cust = column("cCustid1");
  const auto type = column("cDocType");
  const auto ref = column("cRefNbr");
  std::vector<std::string> out;
  for (std::size_t i = 0; i < cust.size(); ++i)
    out.push_back(cust[i] + "/" + type[i] + "/" + ref[i]);
  return out;
}

std::vector<int> OpenScreen::lineStates() {
  return within([&] {
    std::vector<int> out;
    const forms::LineArray* lines = session().grids().lineArrayOf(grid());
    for (std::size_t i = 0; i < lines->size(); ++i) out.push_back(lines->line(i).state);
    return out;
  });
}

void PayAppTest::SetUp() {
  path_ = scratch_.database("company.db");
  db_ = db::Database::create(path_);
  db_->exec(
      "insert into Company (CpnyID, CpnyName, BaseCuryId, Active) values ('CO1', 'Demo', 'USD', 1),"
      " ('CO2', 'Branch', 'USD', 1);"
      "insert into GLSetup (SetupId, CpnyId, BaseCuryId) values ('GL', 'CO1', 'USD');"
      "insert into ARSetup (SetupId, CurrPerNbr, PASortDflt) values ('AR', '202603', 'D');"
      "insert into XNASetup (vond1, vond2, LastNABatNbr) values ('1010', '00-000', '0000000100');");
  addCustomer("P1", "Parent One");
  addCustomer("C1", "Child One");
  addCustomer("C2", "Child Two");
  addCustomer("X9", "Outsider");
  addCustomer("P2", "Parent Two");
  addCustomer("C9", "Child Nine");
  link("P1", "C1");
  link("P1", "C2");
}

// Whatever a test did through the screen, the payments' invariants still hold.
void PayAppTest::TearDown() {
  EXPECT_EQ(paymentInvariantProblems(*db_), std::vector<std::string>{});
  db_.reset();
}

std::unique_ptr<OpenScreen> PayAppTest::open(const std::string& company, const Date& today) {
  return std::make_unique<OpenScreen>(path_, company, today);
}

void PayAppTest::addCustomer(const std::string& id, const std::string& name) {
  Customer c;
  c.CustId = id;
  c.Name = name;
  c.Phone = "555-" + id;
  c.StmtCycleId = "01";
  c.Status = "A";
  c.FinChrgCustId = id;
  db_->insert("Customer", c);
}

void PayAppTest::link(const std::string& parent, const std::string& child) {
  if (rows("select 1 from XNACustP where PrimaryCustId = '" + parent + "'").empty()) {
    XNACustP p;
    p.PrimaryCustId = parent;
    p.cashreceipts = 1;
    db_->insert("XNACustP", p);
  }
  XNACustS s;
  s.PrimaryCustId = parent;
  s.SecondaryCustid = child;
  db_->insert("XNACustS", s);
}

void PayAppTest::addDoc(const Doc& d) {
  ARDoc doc;
  doc.BatNbr = "B" + d.ref;
  doc.CpnyID = d.cpny;
  doc.CustId = d.cust;
  doc.DocType = d.type;
  doc.RefNbr = d.ref;
  doc.DocDate = Date{2026, 2, 1};
  doc.DueDate = d.due;
  doc.DiscDate = Date{2026, 2, 11};
  doc.OrigDocAmt = doc.CuryOrigDocAmt = d.balance + 50;
  doc.DocBal = doc.CuryDocBal = d.balance;
  doc.DiscBal = doc.CuryDiscBal = d.discBal;
  doc.Rlsed = d.released;
  doc.OpenDoc = d.balance > 0 ? 1 : 0;
  doc.CuryId = "USD";
  db_->insert("ARDoc", doc);
}

void PayAppTest::addHeader(const std::string& batch, const std::string& status,
                           const std::string& type, const std::string& refNbr, double amount,
                           const std::string& cust, const std::string& applyRef) {
  XNAHeader h;
  h.NABatNbr = batch;
  h.CpnyId = "CO1";
  h.CustId = cust;
  h.DocDate = Date{2026, 3, 1};
  h.OrigDocAmt = amount;
  h.PerPost = "202603";
  h.RefNbr = refNbr;
  h.vond1 = type;
  h.vond2 = applyRef;
  h.Status = status;
  db_->insert("XNAHeader", h);
}

void PayAppTest::addDetail(const std::string& batch, const std::string& cust,
                           const std::string& type, const std::string& ref, double applied,
                           double discount) {
  XNADetail d;
  d.NABatNbr = batch;
  d.CustId = cust;
  d.DocType = type;
  d.RefNbr = ref;
  d.CpnyId = "CO1";
  d.CuryApplAmt = applied;
  d.DiscAmt = discount;
  d.DocAmt = 150;
  d.DocDate = Date{2026, 2, 1};
  d.Crtd_Prog = "18300";
  d.Crtd_User = "SEED";
  d.Crtd_Date = Date{2026, 2, 20};
  db_->insert("XNADetail", d);
}

void PayAppTest::addUnreleasedApplication(const std::string& cust, const std::string& type,
                                          const std::string& ref) {
  ARAdjust a;
  a.AdjBatNbr = "H" + ref;
  a.CustId = cust;
  a.AdjdDocType = type;
  a.AdjdRefNbr = ref;
  a.AdjgDocType = "PA";
  a.AdjgRefNbr = "HOSTCHK";
  a.AdjAmt = a.CuryAdjdAmt = 10;
  a.CpnyID = "CO1";
  a.Rlsed = 0;
  db_->insert("ARAdjust", a);
}

std::vector<std::string> PayAppTest::rows(const std::string& sql) {
  std::vector<std::string> out;
  auto st = db_->run(sql);
  while (st.step()) out.push_back(db::rowText(st));
  return out;
}

std::string PayAppTest::value(const std::string& sql) {
  const auto all = rows(sql);
  return all.empty() ? std::string("<none>") : all.front();
}

}  // namespace corvena::payapp::testing
