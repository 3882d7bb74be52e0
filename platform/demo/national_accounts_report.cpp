#include "platform/demo/national_accounts_report.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/db/host_records.h"

namespace corvena::demo {

namespace {

std::string money(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%12.2f", v);
  return buf;
}

std::string padded(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

std::vector<Customer> customers(db::Database& db, std::string_view call) {
  std::vector<Customer> out;
  db::Statement st = db.run(call);
  while (st.step()) {
    out.emplace_back();
    st.readInto(out.back());
  }
  return out;
}

void printDocuments(db::Database& db, const std::string& parent, std::ostream& out) {
  db::Statement st = db.run("XNAARDoc_OpenDetails " + db::textLiteral(parent));
  double total = 0;
  int count = 0;
  out << "  Open documents:\n    " << padded("Customer", 16) << "Type " << padded("Ref Nbr", 11)
      << "Due date    "
      << "     Balance"
      << "    Discount\n";
  while (st.step()) {
    ARDoc d;
    st.readInto(d);
    out << "    " << padded(d.CustId.trimmed(), 16) << d.DocType.trimmed() << "   "
        << padded(d.RefNbr.trimmed(), 11) << d.DueDate.iso() << "  " << money(d.CuryDocBal)
        << money(d.CuryDiscBal) << "\n";
    total += d.CuryDocBal;
    ++count;
  }
  out << "    " << count << " open documents, balance" << money(total) << "\n";
}

void printCredits(db::Database& db, const std::string& parent, std::ostream& out) {
  out << "  Credits of the parent:";
  bool any = false;
  for (const char* type : {"CM", "PA", "PP"}) {
    db::Statement st = db.run("XNAShowAllClosedDocsForParent " + db::textLiteral(parent) +
                              db::textLiteral(parent) + db::textLiteral(type) + "'%'");
    while (st.step()) {
      ARDoc d;
      st.readInto(d);
      out << " " << type << " " << d.RefNbr.trimmed() << money(d.CuryDocBal);
      any = true;
    }
  }
  out << (any ? "\n" : " none\n");
}

void printBatches(db::Database& db, const std::string& parent, std::ostream& out) {
  db::Statement st = db.prepare(
      "SELECT NABatNbr, vond1, RefNbr, OrigDocAmt, Status FROM XNAHeader WHERE CustId = ?1 "
      "ORDER BY NABatNbr");
  st.bind(1, parent);
  while (st.step()) {
    auto text = [&](int i) { return std::get<std::string>(st.column(i)); };
    out << "  Payment batch " << text(0) << " " << text(1) << " check " << text(2)
        << money(std::get<double>(st.column(3))) << "  status " << text(4) << "\n";
  }
}

}  // namespace

void printNationalAccounts(db::Database& db, std::ostream& out) {
  for (const Customer& parent : customers(db, "XNACustomerList '%'")) {
    const std::string id = parent.CustId.trimmed();
    const auto kids = customers(db, "XNACustS_DBNav " + db::textLiteral(id) + "'%'");
    out << "National account " << id << "  " << parent.Name.trimmed() << "  (" << kids.size()
        << " children, statement cycle " << parent.StmtCycleId.trimmed() << ")\n";
    for (const Customer& kid : kids)
      out << "  child " << padded(kid.CustId.trimmed(), 16) << padded(kid.Name.trimmed(), 30)
          << " cycle " << kid.StmtCycleId.trimmed() << "  status " << kid.Status.trimmed() << "\n";
    printCredits(db, id, out);
    printBatches(db, id, out);
    printDocuments(db, id, out);
    out << "\n";
  }
  out << "Customers in no national account:\n";
  for (const Customer& c : customers(
           db,
           "select * from Customer where CustId not in (select PrimaryCustId from XNACustP) and "
           "CustId not in (select SecondaryCustid from XNACustS) order by CustId"))
    out << "  " << padded(c.CustId.trimmed(), 16) << padded(c.Name.trimmed(), 30) << " cycle "
        << c.StmtCycleId.trimmed() << "\n";
}

}  // namespace corvena::demo
