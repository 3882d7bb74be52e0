#include "screens/statement/statement.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>

namespace corvena::statement {

namespace {

// The national account's customers, the parent's ?1 among them.
constexpr const char* kFamily =
    "(%.CustId = ?1 OR %.CustId IN (SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = "
    "?1))";

std::string family(const char* alias) {
  std::string sql = kFamily;
  for (std::size_t at; (at = sql.find('%')) != std::string::npos;) sql.replace(at, 1, alias);
  return sql;
}

db::Statement query(db::Database& db, const std::string& sql,
                    std::initializer_list<db::Value> params) {
  db::Statement st = db.prepare(sql);
  int i = 1;
  for (const auto& p : params) st.bind(i++, p);
  return st;
}

std::string text(const db::Statement& st, int i) {
  const db::Value v = st.column(i);
  const auto* s = std::get_if<std::string>(&v);
  if (!s) return {};
  return std::string(s->data(), s->find_last_not_of(' ') + 1);
}

double number(const db::Statement& st, int i) {
  const db::Value v = st.column(i);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* n = std::get_if<std::int64_t>(&v)) return static_cast<double>(*n);
  return 0;
}

Date date(const db::Statement& st, int i) {
  Date d;
  Date::parseIso(text(st, i).substr(0, 10), d);
  return d;
}

std::chrono::sys_days days(const Date& d) {
  return std::chrono::year_month_day{std::chrono::year{d.year}, std::chrono::month{d.month},
                                     std::chrono::day{d.day}};
}

Date fromYmd(std::chrono::year_month_day ymd) {
  return Date{static_cast<std::uint16_t>(static_cast<int>(ymd.year())),
              static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month())),
              static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day()))};
}

// The cycle's day in the month of ym, or the month's last day when it is shorter.
Date cycleDay(std::chrono::year_month ym, int day) {
  const auto last = static_cast<int>(static_cast<unsigned>((ym / std::chrono::last).day()));
  return fromYmd(ym / std::chrono::day{static_cast<unsigned>(std::min(day, last))});
}

bool isCredit(const std::string& type) {
  return type == "CM" || type == "PA" || type == "PP";
}

const char* typeName(const std::string& type) {
  static const std::map<std::string, const char*> names{
      {"IN", "Invoice"},     {"DM", "Debit memo"}, {"FI", "Finance charge"},
      {"CM", "Credit memo"}, {"PA", "Payment"},    {"PP", "Prepayment"}};
  const auto it = names.find(type);
  return it == names.end() ? "Document" : it->second;
}

// A released document with its balance as the statement's date saw it.
struct Document {
  OpenItem item;
  Date released;
  std::string arBatch;
};

// One change of a released balance by a released AR batch; listed changes are
// the statement's activity, the others go with a change listed already.
struct Movement {
  std::string custId, docType, refNbr;
  double change = 0;
  Date released;
  std::string arBatch, what;
  bool listed = false;
};

std::string key(const std::string& cust, const std::string& type, const std::string& ref) {
  return cust + '\t' + type + '\t' + ref;
}

class Reader {
 public:
  Reader(db::Database& db, const std::string& parentId, const Date& asOf, int decimals) : db_(db) {
    s_.parentId = parentId;
    s_.asOf = asOf;
    s_.decimals = decimals;
  }

  Statement read() {
    readStores();
    s_.lastStatement = lastStatementDate(db_, s_.parentId, s_.asOf);
    readNationalBatches();
    readDocuments();
    for (const Movement& m : applications()) move(m);
    settle();
    return std::move(s_);
  }

 private:
  double round(double v) const {
    const double scale = std::pow(10.0, s_.decimals);
    return std::round(v * scale) / scale;
  }

  bool sinceLastStatement(const Date& released) const {
    return released > s_.lastStatement && released <= s_.asOf;
  }

  void readStores() {
    db::Statement p = query(db_,
                            "SELECT c.Name FROM XNACustP p LEFT JOIN Customer c ON c.CustId = "
                            "p.PrimaryCustId WHERE p.PrimaryCustId = ?1",
                            {s_.parentId});
    if (!p.step()) throw db::DbError(s_.parentId + " is not a national account.");
    s_.parentName = text(p, 0);
    s_.stores.push_back({.custId = s_.parentId, .name = s_.parentName, .parent = true});
    db::Statement c = query(db_,
                            "SELECT s.SecondaryCustid, c.Name FROM XNACustS s LEFT JOIN Customer c"
                            " ON c.CustId = s.SecondaryCustid WHERE s.PrimaryCustId = ?1"
                            " ORDER BY s.SecondaryCustid",
                            {s_.parentId});
    while (c.step()) s_.stores.push_back({.custId = text(c, 0), .name = text(c, 1)});
    for (std::size_t i = 0; i < s_.stores.size(); ++i) storeAt_[s_.stores[i].custId] = i;
  }

  // The AR batches the module's releases made, by the batch each came from.
  void readNationalBatches() {
    for (const char* sql : {"SELECT ARBatNbr, NABatNbr FROM XNAHeader WHERE ARBatNbr <> ''",
                            "SELECT ARBatNbr, NATrBatNbr FROM XNATranHdr WHERE ARBatNbr <> ''"}) {
      db::Statement st = db_.prepare(sql);
      while (st.step()) naBatch_[text(st, 0)] = text(st, 1);
    }
  }

  std::string naBatchOf(const std::string& arBatch) const {
    const auto it = naBatch_.find(arBatch);
    return it == naBatch_.end() ? std::string() : it->second;
  }

  // A released batch's last update is its release: nothing changes it afterwards.
  void readDocuments() {
    db::Statement st =
        query(db_,
              "SELECT d.CustId, d.DocType, d.RefNbr, d.DocDate, d.DueDate, d.CuryOrigDocAmt,"
              " d.CuryDocBal, d.BatNbr, b.LUpd_Date FROM ARDoc d JOIN Batch b ON b.Module = 'AR'"
              " AND b.BatNbr = d.BatNbr AND b.Rlsed = 1 WHERE d.Rlsed = 1 AND " +
                  family("d"),
              {s_.parentId});
    while (st.step()) {
      Document d{.item = {.custId = text(st, 0),
                          .docType = text(st, 1),
                          .refNbr = text(st, 2),
                          .docDate = date(st, 3),
                          .dueDate = date(st, 4),
                          .original = round(number(st, 5)),
                          .balance = number(st, 6)},
                 .released = date(st, 8),
                 .arBatch = text(st, 7)};
      if (d.released > s_.asOf) continue;
      if (sinceLastStatement(d.released))
        activity(d.item.custId, {.released = d.released,
                                 .custId = d.item.custId,
                                 .docType = d.item.docType,
                                 .refNbr = d.item.refNbr,
                                 .what = typeName(d.item.docType),
                                 .arBatch = d.arBatch,
                                 .naBatch = naBatchOf(d.arBatch),
                                 .amount = d.item.original});
      documents_[key(d.item.custId, d.item.docType, d.item.refNbr)] = d;
    }
  }

  // Each application lowers the document applied to (by its discount too) and
  // the credit applying. Every other kind of AR row that changes a released
  // balance (a reversal) is read as movements of its own beside these.
  std::vector<Movement> applications() {
    std::vector<Movement> out;
    db::Statement st =
        query(db_,
              "SELECT a.CustId, a.AdjdDocType, a.AdjdRefNbr, a.AdjgDocType, a.AdjgRefNbr,"
              " a.CuryAdjdAmt, a.CuryAdjdDiscAmt, a.AdjBatNbr, b.LUpd_Date FROM ARAdjust a"
              " JOIN Batch b ON b.Module = 'AR' AND b.BatNbr = a.AdjBatNbr AND b.Rlsed = 1"
              " WHERE a.Rlsed = 1 AND " +
                  family("a"),
              {s_.parentId});
    while (st.step()) {
      const std::string cust = text(st, 0), adjgType = text(st, 3), adjgRef = text(st, 4);
      const double amount = number(st, 5), discount = number(st, 6);
      const Date released = date(st, 8);
      const std::string batch = text(st, 7);
      out.push_back({cust, text(st, 1), text(st, 2), -(amount + discount), released, batch,
                     "Applied " + adjgType + " " + adjgRef, true});
      out.push_back({cust, adjgType, adjgRef, -amount, released, batch, {}, false});
    }
    return out;
  }

  // A change released after the statement's date is undone: the balance is the
  // one AR held on that date.
  void move(const Movement& m) {
    if (m.released > s_.asOf) {
      const auto it = documents_.find(key(m.custId, m.docType, m.refNbr));
      if (it != documents_.end()) it->second.item.balance -= m.change;
    } else if (m.listed && sinceLastStatement(m.released)) {
      activity(m.custId, {.released = m.released,
                          .custId = m.custId,
                          .docType = m.docType,
                          .refNbr = m.refNbr,
                          .what = m.what,
                          .arBatch = m.arBatch,
                          .naBatch = naBatchOf(m.arBatch),
                          .amount = round(m.change)});
    }
  }

  void activity(const std::string& cust, Activity a) {
    const auto it = storeAt_.find(cust);
    if (it != storeAt_.end()) s_.stores[it->second].activity.push_back(std::move(a));
  }

  void settle() {
    for (auto& [k, d] : documents_) {
      d.item.balance = round(d.item.balance);
      if (d.item.balance <= 0) continue;
      Store& store = s_.stores[storeAt_.at(d.item.custId)];
      if (isCredit(d.item.docType)) {
        store.credits.push_back(d.item);
        store.creditTotal = round(store.creditTotal + d.item.balance);
        continue;
      }
      d.item.daysPastDue = daysBetween(d.item.dueDate, s_.asOf);
      store.aging.add(d.item.daysPastDue, d.item.balance);
      store.oldestDays = std::max(store.oldestDays, d.item.daysPastDue);
      store.debits.push_back(d.item);
      store.debitTotal = round(store.debitTotal + d.item.balance);
    }
    for (Store& store : s_.stores) total(store);
  }

  void total(Store& store) {
    for (double& b : store.aging.bucket) b = round(b);
    const auto byDue = [](const OpenItem& a, const OpenItem& b) {
      return std::tie(a.dueDate, a.refNbr) < std::tie(b.dueDate, b.refNbr);
    };
    std::sort(store.debits.begin(), store.debits.end(), byDue);
    std::sort(store.credits.begin(), store.credits.end(), byDue);
    std::sort(
        store.activity.begin(), store.activity.end(), [](const Activity& a, const Activity& b) {
          return std::tie(a.released, a.refNbr, a.what) < std::tie(b.released, b.refNbr, b.what);
        });
    s_.aging += store.aging;
    s_.debitTotal = round(s_.debitTotal + store.debitTotal);
    s_.creditTotal = round(s_.creditTotal + store.creditTotal);
    for (double& b : s_.aging.bucket) b = round(b);
  }

  db::Database& db_;
  Statement s_;
  std::map<std::string, std::size_t> storeAt_;
  std::map<std::string, std::string> naBatch_;
  std::map<std::string, Document> documents_;
};

}  // namespace

void Aging::add(int daysPastDue, double amount) {
  const int i = daysPastDue <= 0    ? 0
                : daysPastDue <= 30 ? 1
                : daysPastDue <= 60 ? 2
                : daysPastDue <= 90 ? 3
                                    : 4;
  bucket[i] += amount;
}

Aging& Aging::operator+=(const Aging& other) {
  for (int i = 0; i < kBuckets; ++i) bucket[i] += other.bucket[i];
  return *this;
}

double Aging::total() const {
  double t = 0;
  for (double b : bucket) t += b;
  return t;
}

const char* bucketName(int bucket) {
  static const char* const names[Aging::kBuckets] = {"Current", "1-30", "31-60", "61-90",
                                                     "Over 90"};
  return names[bucket];
}

std::size_t Statement::openItems() const {
  std::size_t n = 0;
  for (const Store& s : stores) n += s.debits.size() + s.credits.size();
  return n;
}

Statement readStatement(db::Database& db, const std::string& parentId, const Date& asOf,
                        int decimals) {
  return Reader(db, parentId, asOf, decimals).read();
}

std::vector<std::string> consolidatingAccounts(db::Database& db, const std::string& cycleId) {
  db::Statement st = query(db,
                           "SELECT p.PrimaryCustId FROM XNACustP p JOIN Customer c ON c.CustId ="
                           " p.PrimaryCustId WHERE p.Statement = 1 AND c.StmtCycleId = ?1"
                           " ORDER BY p.PrimaryCustId",
                           {cycleId});
  std::vector<std::string> out;
  while (st.step()) out.push_back(text(st, 0));
  return out;
}

Date lastStatementDate(db::Database& db, const std::string& parentId, const Date& asOf) {
  using namespace std::chrono;
  db::Statement st = query(db,
                           "SELECT s.StmtDay FROM Customer c JOIN StmtCycle s ON s.StmtCycleId ="
                           " c.StmtCycleId WHERE c.CustId = ?1",
                           {parentId});
  const year_month ym{year{asOf.year}, month{asOf.month}};
  const int day = st.step() ? static_cast<int>(number(st, 0)) : 0;
  if (day <= 0) return cycleDay(ym - months{1}, asOf.day);
  const Date inMonth = cycleDay(ym, day);
  return inMonth < asOf ? inMonth : cycleDay(ym - months{1}, day);
}

int daysBetween(const Date& from, const Date& to) {
  return static_cast<int>((days(to) - days(from)).count());
}

std::vector<const Store*> byOldestDebt(const Statement& s) {
  std::vector<const Store*> out;
  for (const Store& store : s.stores) out.push_back(&store);
  std::stable_sort(out.begin(), out.end(), [](const Store* a, const Store* b) {
    if (a->oldestDays != b->oldestDays) return a->oldestDays > b->oldestDays;
    return a->balance() > b->balance();
  });
  return out;
}

}  // namespace corvena::statement
