#include "platform/demo/demo_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/demo/demo_data.h"

namespace corvena::demo {

namespace {

// Days since 1970-01-01 and back (proleptic Gregorian calendar).
int toDays(const Date& d) {
  const int y = d.year - (d.month <= 2);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

Date fromDays(int z) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int day = doy - (153 * mp + 2) / 5 + 1;
  const int month = mp < 10 ? mp + 3 : mp - 9;
  return Date{static_cast<std::uint16_t>(yoe + era * 400 + (month <= 2)),
              static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
}

Date addDays(const Date& d, int days) {
  return fromDays(toDays(d) + days);
}

double cents(double v) {
  return std::round(v * 100.0) / 100.0;
}

std::string period(const Date& d) {
  return std::to_string(d.year) + (d.month < 10 ? "0" : "") + std::to_string(d.month);
}

const char* kSetupSql = R"(
INSERT INTO Company (CpnyID, CpnyName, CpnyCOA, CpnySub, BaseCuryId, Active) VALUES
  ('DEMO', 'Corvena Demo Distribution', 'DEMO', 'DEMO', 'USD', 1),
  ('BRANCH', 'Corvena Demo Branch', 'DEMO', 'DEMO', 'USD', 1);
INSERT INTO InterCpny (FromCompany, ToCompany, Module, Screen) VALUES ('DEMO', 'BRANCH', 'AR', 'ALL');
INSERT INTO GLSetup (SetupId, CpnyId, CpnyName, LedgerID, BaseCuryId, PerNbr, NbrPer, ValidateAcctSub)
  VALUES ('GL', 'DEMO', 'Corvena Demo Distribution', 'ACTUAL', 'USD', '202612', 12, 0);
INSERT INTO ARSetup (SetupId, CurrPerNbr, PASortDflt, ArAcct, ArSub, ChkAcct, ChkSub, DiscTknAcct,
  DiscTknSub, FinChrgAcct, FinChrgSub, DfltTerms, AutoRef)
  VALUES ('AR', '202612', 'D', '1200', '00-000', '1010', '00-000', '4900', '00-000', '4500',
          '00-000', '30', 1);
INSERT INTO PCSetup (SetupId, S4Future) VALUES ('PC', 'S');
INSERT INTO PJContrl (control_type, control_code, control_desc, control_data) VALUES
  ('PA', 'NO-POST-PROJECT', 'Project that posts nothing', 'NOPOST'),
  ('PA', 'DEFAULT-TASK', 'Default task', 'GENERAL');
INSERT INTO Account (Acct, Descr, Active, AcctType) VALUES
  ('1010', 'Cash - Operating', 1, 'AA'), ('1020', 'National Account Clearing', 1, 'AA'),
  ('1200', 'Accounts Receivable', 1, 'AA'), ('2300', 'Sales Tax Payable', 1, 'AL'),
  ('4000', 'Product Sales', 1, 'AI'), ('4100', 'Service Revenue', 1, 'AI'),
  ('4500', 'Finance Charge Income', 1, 'AI'), ('4800', 'Sales Returns and Allowances', 1, 'EE'),
  ('4900', 'Sales Discounts', 1, 'EE'),
  ('7000', 'Project Costs', 1, 'EE'), ('8999', 'Retired Account', 0, 'EE');
INSERT INTO SubAcct (Sub, Descr, Active) VALUES ('00-000', 'Company', 1),
  ('01-100', 'East Region', 1), ('01-200', 'West Region', 1), ('99-999', 'Closed Region', 0);
INSERT INTO AcctSub (CpnyID, Acct, Sub, Descr, Active)
  SELECT 'DEMO', a.Acct, s.Sub, a.Descr, 1 FROM Account a, SubAcct s WHERE a.Active = 1 AND s.Active = 1;
INSERT INTO CashAcct (CpnyID, BankAcct, BankSub, AcctName, CuryId, Active) VALUES
  ('DEMO', '1010', '00-000', 'Operating', 'USD', 1),
  ('DEMO', '1020', '00-000', 'National Account Clearing', 'USD', 1);
INSERT INTO Terms (TermsId, Descr, DueDays, DiscDays, DiscPct) VALUES
  ('30', 'Net 30', 30, 0, 0), ('2N', '2% 10 Net 30', 30, 10, 2);
INSERT INTO StmtCycle (StmtCycleId, Descr, StmtDay, FinChrgPct) VALUES
  ('01', 'Month end', 31, 1.5), ('02', 'Mid month', 15, 1.5), ('03', 'Quarterly', 31, 1);
INSERT INTO SlsTaxCat (CatId, Descr) VALUES ('TAXABLE', 'Taxable goods'), ('EXEMPT', 'Exempt');
INSERT INTO SalesTax (TaxId, Descr, TaxRate, TaxType, TaxAcct, TaxSub) VALUES
  ('STATE', 'State sales tax', 6, 'T', '2300', '00-000'),
  ('CITY', 'City sales tax', 1.5, 'T', '2300', '00-000');
INSERT INTO PJ_Account (gl_acct, acct, acct_desc, acct_status) VALUES
  ('7000', 'LABOR', 'Project labor', 'A');
INSERT INTO PJProj (project, project_desc, status_pa, customer, cpnyid, gl_subacct) VALUES
  ('STORE-REFIT', 'Store refits', 'A', '', 'DEMO', '01-100'),
  ('OLD-ROLLOUT', 'Finished rollout', 'I', '', 'DEMO', '');
INSERT INTO PJPent (project, pjt_entity, pjt_entity_desc, status_pa) VALUES
  ('STORE-REFIT', 'DESIGN', 'Design', 'A'), ('STORE-REFIT', 'INSTALL', 'Installation', 'A');
INSERT INTO AutoNumber (Source, LastNbr, Descr) VALUES
  ('ARBatch', '000100', 'AR batches'), ('ARRefNbr', '000500', 'AR documents')
  ON CONFLICT (Source) DO UPDATE SET LastNbr = excluded.LastNbr, Descr = excluded.Descr;
INSERT INTO XNASetup (vond1, vond2, LastNABatNbr, LastNATrBatNbr, Crtd_Prog, Crtd_User, LUpd_Prog,
  LUpd_User) VALUES ('1020', '00-000', '0000000000', '0000000000', 'DEMO', 'SYSADMIN', 'DEMO',
  'SYSADMIN');
)";

// Both engines take at least this many bound values a statement.
constexpr std::size_t kMaxParameters = 30000;

// Records of one layout into the table, as many a statement as the engines take:
// on a server each statement is a round trip.
template <class Record>
void insertAll(db::Database& db, const std::string& table, const std::vector<Record>& recs) {
  std::vector<const FieldDesc*> fields;
  std::string names, row;
  for (const auto& c : db.columns(table)) {
    if (const FieldDesc* f = Record::layout().find(c)) {
      names += (fields.empty() ? "" : ", ") + c;
      row += fields.empty() ? "(?" : ", ?";
      fields.push_back(f);
    }
  }
  row += ")";
  const std::size_t perStatement = kMaxParameters / fields.size();
  for (std::size_t first = 0; first < recs.size(); first += perStatement) {
    const std::size_t count = std::min(perStatement, recs.size() - first);
    std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES " + row;
    for (std::size_t r = 1; r < count; ++r) sql += ", " + row;
    db::Statement st = db.prepare(sql);
    int index = 0;
    for (std::size_t r = first; r < first + count; ++r)
      for (const FieldDesc* f : fields) st.bind(++index, db::fieldValue(recs[r], *f));
    st.step();
  }
}

}  // namespace

void DemoBuilder::setup() {
  db_.exec(kSetupSql);
}

void DemoBuilder::customer(const std::string& id, const std::string& name, const std::string& city,
                           const std::string& cycle, const std::string& status) {
  Customer c;
  c.CustId = id;
  c.Name = name;
  c.Addr1 = std::to_string(100 + id.size() * 7) + " Market Street";
  c.City = city;
  c.State = "OH";
  c.Zip = "43004";
  c.Country = "USA";
  int hash = 0;
  for (char ch : id) hash = (hash * 31 + ch) % 9000;
  c.Phone = "(614) 555-" + std::to_string(1000 + hash);
  c.StmtCycleId = cycle;
  c.ArAcct = "1200";
  c.ArSub = "00-000";
  c.Status = status;
  c.Terms = "30";
  c.ClassId = "RETAIL";
  c.CreditLimit = 50000;
  c.CuryId = "USD";
  c.FinChrgCustId = id;
  c.Crtd_Date = c.LUpd_Date = kDemoToday;
  c.Crtd_Prog = c.LUpd_Prog = "DEMO";
  c.Crtd_User = c.LUpd_User = "SYSADMIN";
  db_.insert("Customer", c);
}

void DemoBuilder::nationalAccount(const std::string& parent,
                                  const std::vector<std::string>& children, bool statement,
                                  bool financeCharges) {
  db::Statement p = db_.prepare(
      "INSERT INTO XNACustP (PrimaryCustId, cashreceipts, Statement, FinanceChrg, CreditChk, "
      "Crtd_Date, Crtd_Prog, Crtd_User, LUpd_Date, LUpd_Prog, LUpd_User) "
      "VALUES (?1, 1, ?2, ?3, 1, ?4, '18100', 'SYSADMIN', ?4, '18100', 'SYSADMIN')");
  p.bind(1, parent);
  p.bind(2, std::int64_t{statement});
  p.bind(3, std::int64_t{financeCharges});
  p.bind(4, kDemoToday.iso());
  p.step();
  for (const auto& child : children) {
    db::Statement s = db_.prepare(
        "INSERT INTO XNACustS (PrimaryCustId, SecondaryCustid, Crtd_Date, Crtd_Prog, Crtd_User, "
        "LUpd_Date, LUpd_Prog, LUpd_User) VALUES (?1, ?2, ?3, '18100', 'SYSADMIN', ?3, '18100', "
        "'SYSADMIN')");
    s.bind(1, parent);
    s.bind(2, child);
    s.bind(3, kDemoToday.iso());
    s.step();
  }
  db::Statement f = db_.run("XNAUpdateFinChrg " + db::textLiteral(parent) +
                            db::intLiteral(financeCharges ? 1 : 0));
  while (f.step()) {
  }
}

std::string DemoBuilder::nextNumber(const std::string& source) {
  db::Statement st = db_.run("AutoNbr_Next " + db::textLiteral(source));
  if (!st.step()) throw db::DbError("No numbering source " + source);
  return std::get<std::string>(st.column(0));
}

// The first of a batch's references comes from the numbering, the rest follow it.
std::string DemoBuilder::nextReference() {
  if (lastRef_.empty()) return lastRef_ = nextNumber("ARRefNbr");
  const std::string width = std::to_string(lastRef_.size());
  char next[32];
  std::snprintf(next, sizeof next, ("%0" + width + "lld").c_str(), std::stoll(lastRef_) + 1);
  return lastRef_ = next;
}

void DemoBuilder::openBatch() {
  blankRecord(batch_);
  linesOfRef_.clear();
  batch_.BatNbr = nextNumber("ARBatch");
  batch_.Module = "AR";
  batch_.CpnyID = "DEMO";
  batch_.EditScrnNbr = "08010";
  batch_.BatType = "N";
  batch_.Status = "P";
  batch_.Rlsed = 1;
  batch_.Handling = "R";
  batch_.PerPost = batch_.PerEnt = kDemoPeriod;
  batch_.Descr = "Demo documents";
  batch_.Crtd_Date = batch_.LUpd_Date = kDemoToday;
  batch_.Crtd_Prog = batch_.LUpd_Prog = "08010";
  batch_.Crtd_User = batch_.LUpd_User = "SYSADMIN";
  batchOpen_ = true;
}

void DemoBuilder::closeBatch() {
  if (!batchOpen_) return;
  if (!lastRef_.empty()) {
    db::Statement st = db_.prepare("UPDATE AutoNumber SET LastNbr = ?1 WHERE Source = 'ARRefNbr'");
    st.bind(1, lastRef_);
    st.step();
    lastRef_.clear();
  }
  insertAll(db_, "ARDoc", docs_);
  insertAll(db_, "ARTran", trans_);
  docs_.clear();
  trans_.clear();
  db_.insert("Batch", batch_);
  batchOpen_ = false;
}

ARDoc DemoBuilder::document(const DocSpec& spec) {
  if (!batchOpen_) openBatch();
  const bool credit = spec.docType == "CM" || spec.docType == "PA" || spec.docType == "PP";
  ARDoc d;
  d.BatNbr = batch_.BatNbr;
  d.CpnyID = "DEMO";
  d.CustId = spec.custId;
  d.DocType = spec.docType;
  d.RefNbr = spec.refNbr.empty() ? nextReference() : spec.refNbr;
  d.DocDate = spec.docDate;
  d.DueDate = credit ? spec.docDate : addDays(spec.docDate, 30);
  d.OrigDocAmt = d.CuryOrigDocAmt = cents(spec.amount);
  d.DocBal = d.CuryDocBal = cents(spec.balance);
  if (spec.discount && spec.balance == spec.amount) {
    d.DiscDate = addDays(spec.docDate, 10);
    d.DiscBal = d.CuryDiscBal = cents(spec.amount * 0.02);
  }
  d.Terms = spec.discount ? "2N" : "30";
  d.DocDesc = spec.docType == "FI" ? "Finance charge" : credit ? "Customer credit" : "Merchandise";
  d.PerPost = period(spec.docDate);
  d.Rlsed = 1;
  d.OpenDoc = d.CuryDocBal > 0;
  d.PerClosed = d.OpenDoc ? "" : kDemoPeriod;
  d.BankAcct = credit && spec.docType != "CM" ? "1010" : "";
  d.BankSub = credit && spec.docType != "CM" ? "00-000" : "";
  d.ArAcct = "1200";
  d.ArSub = "00-000";
  d.CuryId = "USD";
  d.Crtd_Date = d.LUpd_Date = spec.docDate;
  d.Crtd_Prog = d.LUpd_Prog = credit && spec.docType != "CM" ? "08030" : "08010";
  d.Crtd_User = d.LUpd_User = "SYSADMIN";
  docs_.push_back(d);
  ARTran t;
  t.BatNbr = d.BatNbr;
  t.RefNbr = d.RefNbr;
  // A national-account payment's children share one reference in one batch.
  t.LineNbr = ++linesOfRef_[d.RefNbr.trimmed()];
  t.CustId = d.CustId;
  t.TranType = d.DocType;
  t.CpnyID = "DEMO";
  // A credit memo gives back what was sold; payments and prepayments are cash received.
  t.Acct = spec.docType == "FI" ? "4500" : spec.docType == "CM" ? "4800" : credit ? "1010" : "4000";
  t.Sub = "00-000";
  t.Qty = 1;
  t.TaxCat = "TAXABLE";
  t.TranAmt = t.CuryTranAmt = t.UnitPrice = d.OrigDocAmt;
  t.TranDesc = d.DocDesc.trimmed();
  t.UnitDesc = "EA";
  t.TranDate = d.DocDate;
  t.PerPost = d.PerPost;
  t.DrCr = credit ? "D" : "C";
  t.Rlsed = 1;
  t.Crtd_Date = t.LUpd_Date = d.DocDate;
  t.Crtd_Prog = t.LUpd_Prog = d.Crtd_Prog;
  t.Crtd_User = t.LUpd_User = "SYSADMIN";
  trans_.push_back(t);
  // As the ledger leaves a released batch: both totals are its documents' total.
  batch_.CtrlTot += d.OrigDocAmt;
  batch_.CrTot += d.OrigDocAmt;
  batch_.DrTot += d.OrigDocAmt;
  return d;
}

}  // namespace corvena::demo
