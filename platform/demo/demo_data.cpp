#include "platform/demo/demo_data.h"

#include <cstdio>

#include "platform/demo/demo_builder.h"

namespace corvena::demo {

namespace {

constexpr int kDocsPerBatch = 25;

struct Plan {
  std::string parent, name, city;
  int children;
  std::string childPrefix;
  bool statement, financeCharges;
};

const Plan kAccounts[] = {
    {"NATL-GROC", "Harvest Grocers Inc", "Columbus", 24, "GROCER-", false, true},
    {"NATL-AUTO", "Midway Auto Parts", "Dayton", 6, "AUTO-", false, false},
    {"NATL-HOTEL", "Lakeside Hotels Group", "Toledo", 4, "HOTEL-", true, false},
};

const char* const kIndependents[][2] = {
    {"ACME", "Acme Hardware"},           {"BAKER", "Baker Street Bakery"},
    {"CITYLIB", "City Library Friends"}, {"DELTA", "Delta Office Supply"},
    {"EAGLE", "Eagle Sporting Goods"},   {"FOXTAIL", "Foxtail Florist"},
    {"GRANITE", "Granite Builders"},     {"HARBOR", "Harbor Marine"},
};

std::string numbered(const std::string& prefix, int n, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, n);
  return prefix + buf;
}

Date dayOfPeriod(Sequence& seq) {
  // Document dates from September to mid December of the demo year.
  const int month = 9 + seq.below(4);
  return Date{2026, static_cast<std::uint8_t>(month),
              static_cast<std::uint8_t>(1 + seq.below(month == 12 ? 14 : 28))};
}

// A customer's payable documents: mostly invoices, some debit memos and finance
// charges, a few already part paid; `closed` fully paid ones besides.
void payables(DemoBuilder& b, Sequence& seq, const std::string& cust, int open, int closed) {
  for (int i = 0; i < open + closed; ++i) {
    DocSpec d;
    d.custId = cust;
    const int kind = seq.below(20);
    d.docType = kind < 14 ? "IN" : kind < 17 ? "DM" : "FI";
    d.docDate = dayOfPeriod(seq);
    d.amount = d.docType == "FI" ? seq.amount(5, 60) : seq.amount(80, 4800);
    d.discount = d.docType == "IN" && seq.below(3) == 0;
    d.balance = i >= open           ? 0
                : seq.below(4) == 0 ? d.amount * (20 + seq.below(60)) / 100
                                    : d.amount;
    b.document(d);
  }
}

void credits(DemoBuilder& b, Sequence& seq, const std::string& cust) {
  for (const char* type : {"CM", "PA", "PP"}) {
    DocSpec d;
    d.custId = cust;
    d.docType = type;
    d.docDate = dayOfPeriod(seq);
    d.amount = seq.amount(500, 9000);
    d.balance = d.amount;
    b.document(d);
  }
}

}  // namespace

void fillDemo(db::Database& db) {
  db::Transaction tx(db);
  DemoBuilder b(db);
  Sequence seq(20261215);
  b.setup();
  int docs = 0;
  auto batchUp = [&](int added) {
    docs += added;
    if (docs >= kDocsPerBatch) {
      b.closeBatch();
      docs = 0;
    }
  };
  for (const auto& a : kAccounts) {
    b.customer(a.parent, a.name, a.city, "01");
    std::vector<std::string> kids;
    for (int i = 1; i <= a.children; ++i) {
      kids.push_back(numbered(a.childPrefix, i, 3));
      // Statement cycles differ only where the account does not consolidate statements.
      const std::string cycle = a.statement || i % 5 ? "01" : "02";
      b.customer(kids.back(), a.name.substr(0, a.name.find(' ')) + " #" + std::to_string(i), a.city,
                 cycle, i == 3 && a.children > 10 ? "H" : "A");
    }
    b.nationalAccount(a.parent, kids, a.statement, a.financeCharges);
    payables(b, seq, a.parent, 6, 1);
    credits(b, seq, a.parent);
    batchUp(10);
    for (const auto& kid : kids) {
      payables(b, seq, kid, 5 + seq.below(3), seq.below(2));
      batchUp(6);
    }
  }
  for (const auto& ind : kIndependents) {
    b.customer(ind[0], ind[1], "Cincinnati", seq.below(2) ? "01" : "03");
    payables(b, seq, ind[0], 3, 1);
    batchUp(4);
  }
  b.nationalPayment("NATL-HOTEL", "CHK10001", 4);
  tx.commit();
  db.refreshStatistics();
}

void fillScaled(db::Database& db, int children, int documents) {
  db::Transaction tx(db);
  DemoBuilder b(db);
  Sequence seq(static_cast<std::uint32_t>(children * 7919 + documents));
  db::Statement has = db.prepare("SELECT COUNT(*) FROM Company");
  has.step();
  if (std::get<std::int64_t>(has.column(0)) == 0) b.setup();
  const std::string parent = "SCALE-PARENT";
  b.customer(parent, "Scaled National Account", "Akron", "01");
  std::vector<std::string> kids;
  for (int i = 1; i <= children; ++i) {
    kids.push_back(numbered("SCALE-", i, 6));
    b.customer(kids.back(), "Scaled child " + std::to_string(i), "Akron", "01");
  }
  b.nationalAccount(parent, kids, true, false);
  for (int i = 0; i < documents; ++i) {
    payables(b, seq, i % (children + 1) == 0 ? parent : kids[i % (children + 1) - 1], 1, 0);
    if ((i + 1) % kDocsPerBatch == 0) b.closeBatch();
  }
  b.closeBatch();
  tx.commit();
  db.refreshStatistics();
}

}  // namespace corvena::demo
