#include "screens/statement/statement_csv.h"

#include <cstdio>

namespace corvena::statement {

namespace {

constexpr const char* kHeadings[] = {
    "Account", "Store", "Name", "Line", "Type", "Reference", "Description", "Date", "Due Date", "Original",
    "Balance", "Days Past Due", "AR Batch", "NA Batch", "Current", "1-30", "31-60", "61-90",
    "Over 90"};
constexpr std::size_t kColumns = std::size(kHeadings);

std::string quoted(const std::string& field) {
  if (field.find_first_of(",\"\n") == std::string::npos) return field;
  std::string out = "\"";
  for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

class Writer {
 public:
  void row(std::vector<std::string> fields) {
    fields.resize(kColumns);
    for (std::size_t i = 0; i < kColumns; ++i) out_ += (i ? "," : "") + quoted(fields[i]);
    out_ += "\r\n";
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

std::string dateText(const Date& d) {
  return d.isBlank() ? std::string() : d.iso();
}

void item(Writer& w, const Statement& s, const Store& store, const char* line, const OpenItem& i,
          bool aged) {
  const int dp = s.decimals;
  w.row({s.parentId, store.custId, store.name, line, i.docType, i.refNbr, "", dateText(i.docDate),
         dateText(i.dueDate), amountText(i.original, dp), amountText(i.balance, dp),
         aged ? std::to_string(i.daysPastDue) : std::string()});
}

void total(Writer& w, const Statement& s, const std::string& cust, const std::string& name,
           const char* line, double balance, const Aging& aging) {
  std::vector<std::string> f{s.parentId, cust, name, line, "", "", "", "", "", "",
                             amountText(balance, s.decimals), "", "", ""};
  for (double b : aging.bucket) f.push_back(amountText(b, s.decimals));
  w.row(f);
}

void store(Writer& w, const Statement& s, const Store& st) {
  for (const OpenItem& i : st.debits) item(w, s, st, "Open item", i, true);
  for (const OpenItem& i : st.credits) item(w, s, st, "Credit", i, false);
  for (const Activity& a : st.activity)
    w.row({s.parentId, st.custId, st.name, "Activity", a.docType, a.refNbr, a.what,
           a.released.iso(), "", "", amountText(a.amount, s.decimals), "", a.arBatch, a.naBatch});
  total(w, s, st.custId, st.name, "Store total", st.balance(), st.aging);
}

}  // namespace

std::string amountText(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value == 0 ? 0.0 : value);
  return text;
}

std::string statementCsv(const std::vector<Statement>& statements) {
  Writer w;
  w.row({std::begin(kHeadings), std::end(kHeadings)});
  for (const Statement& s : statements) {
    for (const Store& st : s.stores) store(w, s, st);
    total(w, s, s.parentId, s.parentName, "Account total", s.balance(), s.aging);
  }
  return w.take();
}

}  // namespace corvena::statement
