#include "screens/payapp/payapp_remit_account.h"

#include <cmath>
#include <set>

#include "screens/payapp/payapp_state.h"

namespace corvena::payapp {

using namespace corvena::host;

namespace {

remit::Cents Cents(double amount) {
  return std::llround(amount * 100);
}

std::string DocumentKey(std::string_view cust, std::string_view type, std::string_view ref) {
  return std::string(cust) + "|" + std::string(type) + "|" + std::string(ref);
}

// A cursor of the import's own, given back when the import is done.
struct WorkCursor {
  Cursor cursor;
  WorkCursor() { SqlCursor(cursor, forms::kCursorReadOnly + 15); }
  ~WorkCursor() { SqlFree(cursor); }
};

void ReadCustomers(PayApp& a, remit::Account& account) {
  WorkCursor c;
  Customer customer{};
  for (int rc = SqlFetch1(c.cursor, "XNARemit_Customers " + SParm(a.bXNAHeader.CustId), customer,
                          sizeof customer);
       rc != NotFound; rc = SFetch1(c.cursor, customer, sizeof customer)) {
    account.customers.push_back({customer.CustId.trimmed(), customer.Name.trimmed()});
  }
}

// The grid's lines in the order it shows them: the line number is the match's way back.
std::set<std::string> ReadGrid(PayApp& a, remit::Account& account) {
  std::set<std::string> shown;
  int line = 0;
  for (int rc = LineArrayFirst(a.DetailLines); rc == 0; rc = LineArrayNext(a.DetailLines)) {
    const XDetail& d = a.bXDetail;
    account.documents.push_back({.customer = d.CustId.trimmed(),
                                 .reference = d.RefNbr.trimmed(),
                                 .type = d.DocType.trimmed(),
                                 .balance = Cents(d.CuryDocBal),
                                 .discountBalance = Cents(d.CuryDiscBal),
                                 .discountDate = d.DiscDate,
                                 .gridLine = line++});
    shown.insert(DocumentKey(d.CustId.trimmed(), d.DocType.trimmed(), d.RefNbr.trimmed()));
  }
  return shown;
}

// Why an open document is not on the grid: another batch holds it, or AR does.
void ExplainHeld(remit::AccountDocument& doc) {
  WorkCursor c;
  XNADetail held{};
  doc.state = remit::DocumentState::Unavailable;
  if (SqlFetch1(c.cursor,
                "XNADetail_RefNbr " + SParm(doc.customer) + SParm(doc.reference) + SParm(doc.type),
                held, sizeof held) == NotFound)
    return;
  doc.state = remit::DocumentState::HeldByBatch;
  doc.batch = held.NABatNbr.trimmed();
}

void ReadLeftOut(PayApp& a, remit::Account& account, const std::set<std::string>& shown) {
  WorkCursor c;
  ARDoc doc{};
  for (int rc =
           SqlFetch1(c.cursor, "XNARemit_Documents " + SParm(a.bXNAHeader.CustId), doc, sizeof doc);
       rc != NotFound; rc = SFetch1(c.cursor, doc, sizeof doc)) {
    if (shown.contains(
            DocumentKey(doc.CustId.trimmed(), doc.DocType.trimmed(), doc.RefNbr.trimmed())))
      continue;
    remit::AccountDocument left{.customer = doc.CustId.trimmed(),
                                .reference = doc.RefNbr.trimmed(),
                                .type = doc.DocType.trimmed(),
                                .balance = Cents(doc.CuryDocBal),
                                .state = remit::DocumentState::Closed};
    if (doc.OpenDoc == 1 && left.balance > 0) ExplainHeld(left);
    account.documents.push_back(std::move(left));
  }
}

}  // namespace

remit::Account RemittanceAccount() {
  auto& a = payapp();
  remit::Account account;
  ReadCustomers(a, account);
  ReadLeftOut(a, account, ReadGrid(a, account));
  return account;
}

}  // namespace corvena::payapp
