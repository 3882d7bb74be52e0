#include <cmath>
#include <map>

#include "platform/demo/demo_builder.h"
#include "platform/demo/demo_data.h"

namespace corvena::demo {

namespace {

void run(db::Database& db, const std::string& sql, const std::vector<db::Value>& params) {
  db::Statement st = db.prepare(sql);
  for (std::size_t i = 0; i < params.size(); ++i) st.bind(static_cast<int>(i) + 1, params[i]);
  while (st.step()) {
  }
}

std::vector<ARDoc> openInvoices(db::Database& db, const std::string& parent, int count) {
  std::vector<ARDoc> out;
  db::Statement st = db.run("XNAARDoc_OpenDetails " + db::textLiteral(parent));
  while (static_cast<int>(out.size()) < count && st.step()) {
    ARDoc d;
    st.readInto(d);
    if (d.DocType == "IN" && d.CuryDiscBal == 0) out.push_back(d);
  }
  return out;
}

}  // namespace

void DemoBuilder::apply(const ARDoc& payment, const ARDoc& invoice, const std::string& naBatch) {
  ARAdjust a;
  a.AdjBatNbr = payment.BatNbr;
  a.CustId = invoice.CustId;
  a.AdjdDocType = invoice.DocType;
  a.AdjdRefNbr = invoice.RefNbr;
  a.AdjgDocType = payment.DocType;
  a.AdjgRefNbr = payment.RefNbr;
  a.AdjAmt = a.CuryAdjdAmt = invoice.CuryDocBal;
  a.AdjgDocDate = payment.DocDate;
  a.PerAppl = kDemoPeriod;
  a.CpnyID = invoice.CpnyID;
  a.Rlsed = 1;
  a.Crtd_Date = a.LUpd_Date = kDemoToday;
  a.Crtd_Prog = a.LUpd_Prog = "08030";
  a.Crtd_User = a.LUpd_User = "SYSADMIN";
  db_.insert("ARAdjust", a);
  run(db_,
      "UPDATE ARDoc SET DocBal = 0, CuryDocBal = 0, DiscBal = 0, CuryDiscBal = 0, OpenDoc = 0, "
      "PerClosed = ?1 WHERE CustId = ?2 AND DocType = ?3 AND RefNbr = ?4",
      {std::string(kDemoPeriod), invoice.CustId.trimmed(), invoice.DocType.trimmed(),
       invoice.RefNbr.trimmed()});
  run(db_,
      "INSERT INTO XNADetail (NABatNbr, CustId, DocType, RefNbr, ARRefNbr, CpnyId, CuryApplAmt, "
      "CuryId, DocDate, DocAmt, LineStatus, Crtd_Date, Crtd_Prog, Crtd_User, LUpd_Date, LUpd_Prog, "
      "LUpd_User) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, 'USD', ?8, ?9, 'C', ?10, '18300', "
      "'SYSADMIN', ?10, '18300', 'SYSADMIN')",
      {naBatch, invoice.CustId.trimmed(), invoice.DocType.trimmed(), invoice.RefNbr.trimmed(),
       payment.RefNbr.trimmed(), invoice.CpnyID.trimmed(), invoice.CuryDocBal,
       invoice.DocDate.iso(), invoice.CuryOrigDocAmt, kDemoToday.iso()});
}

void DemoBuilder::nationalPayment(const std::string& parent, const std::string& checkNbr,
                                  int lines) {
  closeBatch();
  const auto invoices = openInvoices(db_, parent, lines);
  // In cents: sums of amounts in floating point drift off the cent.
  std::map<std::string, std::int64_t> perCustomer;
  std::int64_t total = 0;
  for (const ARDoc& d : invoices) {
    const auto cents = static_cast<std::int64_t>(std::llround(d.CuryDocBal * 100));
    perCustomer[d.CustId.trimmed()] += cents;
    total += cents;
  }
  const std::string naBatch = nextNumber("XNAPaymentAutoNbr");
  std::map<std::string, ARDoc> payments;
  // As a release enters them: the check number for the parent, "N" and its last
  // nine characters for a child.
  const std::string childRef =
      "N" + (checkNbr.size() < 10 ? checkNbr : checkNbr.substr(checkNbr.size() - 9));
  for (const auto& [cust, cents] : perCustomer)
    payments[cust] = document({cust, "PA", kDemoToday, cents / 100.0, 0, false,
                               cust == parent ? checkNbr : childRef});
  batch_.EditScrnNbr = "08030";
  for (const ARDoc& d : invoices) apply(payments[d.CustId.trimmed()], d, naBatch);
  run(db_,
      "INSERT INTO XNAHeader (NABatNbr, CpnyId, CustId, DocDate, OrigDocAmt, PerPost, RefNbr, "
      "vond1, Status, ARBatNbr, Crtd_Date, Crtd_Prog, Crtd_User, LUpd_Date, LUpd_Prog, LUpd_User) "
      "VALUES (?1, 'DEMO', ?2, ?3, ?4, ?5, ?6, 'NP', 'C', ?7, ?3, '18300', 'SYSADMIN', ?3, "
      "'18300', 'SYSADMIN')",
      {naBatch, parent, kDemoToday.iso(), total / 100.0, std::string(kDemoPeriod), checkNbr,
       batch_.BatNbr.trimmed()});
  closeBatch();
}

}  // namespace corvena::demo
