#include "screens/transfer/tests/transfer_fixture.h"

#include <cstdlib>
#include <sstream>

#include "platform/ar/invoice_entry.h"
#include "platform/ar/ledger.h"
#include "platform/ar/payment_entry.h"
#include "platform/automation/script_driver.h"
#include "platform/program/host_program.h"
#include "runtime/kelpbas.h"
#include "runtime/screen_program.h"
#include "runtime/tables/payment_invariants.h"
#include "runtime/tables/records.h"
#include "screens/transfer/transfer_form.h"
#include "screens/transfer/transfer_screen.h"

namespace corvena::transfer::testing {

namespace {

const Date kToday{2026, 3, 2};

const char* kCompany =
    "insert into Company (CpnyID, CpnyName, CpnyCOA, CpnySub, BaseCuryId, Active)"
    " values ('CO1', 'Demo', 'CO1', 'CO1', 'USD', 1);"
    "insert into GLSetup (SetupId, CpnyId, BaseCuryId) values ('GL', 'CO1', 'USD');"
    "insert into ARSetup (SetupId, CurrPerNbr, PASortDflt, ArAcct, ArSub, ChkAcct, ChkSub,"
    " AutoRef) values ('AR', '202603', 'D', '1200', '00', '1000', '00', 1);"
    "insert into XNASetup (vond1, vond2, LastNATrBatNbr) values ('1010', '00', '0000000100');"
    "insert into Account (Acct, Descr, Active) values ('1000', 'Cash', 1), ('1010', 'Wash', 1),"
    " ('1200', 'Receivables', 1), ('4000', 'Sales', 1), ('4100', 'Services', 1),"
    " ('7000', 'Project Costs', 1);"
    "insert into SubAcct (Sub, Descr, Active) values ('00', 'Main', 1), ('01', 'East', 1);"
    "insert into PJ_Account (gl_acct, acct) values ('7000', 'LABOR');"
    "insert into PJProj (project, status_pa, gl_subacct) values ('STORE-REFIT', 'A', '01');"
    "insert into PJPent (project, pjt_entity, status_pa) values ('STORE-REFIT', 'DESIGN', 'A'),"
    " ('STORE-REFIT', 'INSTALL', 'A');";

void customer(db::Database& db, const std::string& id, const std::string& name) {
  Customer c;
  c.CustId = id;
  c.Name = name;
  c.Status = "A";
  c.ArAcct = "1200";
  c.ArSub = "00";
  c.FinChrgCustId = id;
  db.insert("Customer", c);
}

void link(db::Database& db, const std::string& parent, const std::string& child) {
  XNACustS s;
  s.PrimaryCustId = parent;
  s.SecondaryCustid = child;
  db.insert("XNACustS", s);
}

std::string hostRun(const std::string& path, const program::HostScreenProgram& screen,
                    const std::string& script) {
  forms::Session session;
  forms::SessionScope scope(session);
  const auto handlers = program::openHostScreen(session, {path, "CLERK1", "CO1", kToday}, screen);
  std::ostringstream out;
  automation::ScriptDriver(session, out).run(script);
  return out.str();
}

std::string amountText(double v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

}  // namespace

std::string destination(int line, const std::string& customer, const std::string& amount,
                        const std::string& account) {
  const std::string n = std::to_string(line);
  return "line Spread1 new\nset cDestCustID " + customer + "\nset cDestAmt " + amount +
         "\nline Spread1 " + n + "\nclick cmdDetailLines\nline Spread2 new\n" +
         (account.empty() ? "" : "set cAcct_2 " + account + "\n") +
         "set cQty_2 1\nset cUnitPrice_2 " + amount + "\nclick cmdOK\n";
}

std::string batch(const std::string& source, const std::string& reference,
                  const std::string& destinations) {
  return "set cSrcCustId " + source + "\nset cSrcRefNbr " + reference + "\n" + destinations;
}

void TransferTest::SetUp() {
  path_ = dir_.database("company.db");
  auto db = db::Database::create(path_);
  db->exec(kCompany);
  for (const auto& [id, name] : {std::pair{"P1", "Parent One"}, {"K1", "Child One"},
                                 {"K2", "Child Two"}, {"K3", "Child Three"}, {"X9", "Outsider"}})
    customer(*db, id, name);
  XNACustP p;
  p.PrimaryCustId = "P1";
  db->insert("XNACustP", p);
  for (const char* child : {"K1", "K2", "K3"}) link(*db, "P1", child);
  ::setenv("CORVENA_PROGRAM_PATH", CORVENA_BINARY_DIR "/bin", 1);
  ::setenv("CORVENA_REGISTRY", dir_.file("registry").c_str(), 1);
}

// Whatever a test released through the screen, the ledger and the payments still hold.
void TransferTest::TearDown() {
  auto db = db::Database::open(path_);
  EXPECT_EQ(ar::ledgerProblems(*db), Rows{});
  EXPECT_EQ(paymentInvariantProblems(*db), Rows{});
}

runtime::ScreenDefinition TransferTest::screen() {
  return {.program = "QM18900",
          .form = Form1Desc,
          .registerHandlers = [](forms::Form& form) { registerHandlers(form); },
          .runtime = runtime::transferRuntime()};
}

screens::testing::SignOn TransferTest::signedOn() const {
  return {path_, user_, company_, date_, passwordFile_};
}

std::string TransferTest::run(const std::string& script) {
  return screens::testing::runScript(screen(), signedOn(), script, host::defaultHostServices())
      .output;
}

std::string TransferTest::creditMemo(const std::string& customer, const std::vector<double>& lines) {
  return document("CM", customer, lines);
}

std::string TransferTest::debitMemo(const std::string& customer, double amount) {
  return document("DM", customer, {amount});
}

std::string TransferTest::document(const std::string& type, const std::string& customer,
                                   const std::vector<double>& lines) {
  double total = 0;
  std::string script = "set cbathandling \"Release Now\"\nset cDocType " + type + "\nset cCustID " +
                       customer + "\n";
  for (double amount : lines) {
    total += amount;
    script += "line Spread1 new\nset cAcct 4000\nset cqty 1\nset cUnitPrice " + amountText(amount) + "\n";
  }
  script += "set cOrigDocAmt " + amountText(total) + "\nset cctrltot " + amountText(total) +
            "\nsave\nshow cRefNbr\nnew 0\n";
  const program::HostScreenProgram invoices{"0801000", ar::invoiceEntryForm, ar::attachInvoiceEntry};
  const std::string out = hostRun(path_, invoices, script);
  const auto at = out.find("SHOW cRefNbr: ");
  EXPECT_NE(at, std::string::npos) << out;
  return at == std::string::npos ? "" : out.substr(at + 14, out.find('\n', at) - at - 14);
}

std::string TransferTest::payment(const std::string& customer, const std::string& reference,
                                  double amount) {
  const program::HostScreenProgram payments{"0803000", ar::paymentEntryForm, ar::attachPaymentEntry};
  const std::string out = hostRun(
      path_, payments,
      "set cbathandling \"Release Now\"\nset cctrltot " + amountText(amount) + "\nset cCustID " +
          customer + "\nset cRefNbr " + reference + "\nset cOrigDocAmt " + amountText(amount) +
          "\nsave\nnew 0\n");
  EXPECT_EQ(out.find("REFUSED"), std::string::npos) << out;
  return reference;
}

void SourcedTransferTest::SetUp() {
  TransferTest::SetUp();
  source_ = "set cSrcCustId K1\nset cSrcRefNbr " + creditMemo("K1", {300}) + "\n";
}

Rows TransferTest::rows(const std::string& sql) {
  auto db = db::Database::open(path_);
  Rows out;
  db::Statement st = db->prepare(sql);
  while (st.step()) out.push_back(db::rowText(st));
  return out;
}

}  // namespace corvena::transfer::testing
