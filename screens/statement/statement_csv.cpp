#include "screens/statement/statement_csv.h"

#include <cstdio>
#include <iterator>

namespace corvena::statement {

namespace {

constexpr const char* kHeadings[] = {
    "Account", "Store",    "Name",     "Line",    "Type",          "Reference", "Description",
    "Date",    "Due Date", "Original", "Balance", "Days Past Due", "AR Batch",  "NA Batch",
    "Current", "1-30",     "31-60",    "61-90",   "Over 90"};
constexpr const char* kRemitHeadings[] = {"Payer", "Store", "Invoice",      "Invoice Date",
                                          "Gross", "Paid",  "Check Number", "Check Amount"};

std::string quoted(const std::string& field) {
  if (field.find_first_of(",\"\n") == std::string::npos) return field;
  std::string out = "\"";
  for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

class Writer {
 public:
  template <std::size_t N>
  explicit Writer(const char* const (&headings)[N]) : columns_(N) {
    row({std::begin(headings), std::end(headings)});
  }
  void row(std::vector<std::string> fields) {
    fields.resize(columns_);
    for (std::size_t i = 0; i < columns_; ++i) out_ += (i ? "," : "") + quoted(fields[i]);
    out_ += "\r\n";
  }
  std::string take() { return std::move(out_); }

 private:
  std::size_t columns_;
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
  std::vector<std::string> f{
      s.parentId, cust, name, line, "", "", "", "", "", "", amountText(balance, s.decimals),
      "",         "",   ""};
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
  Writer w(kHeadings);
  for (const Statement& s : statements) {
    for (const Store& st : s.stores) store(w, s, st);
    total(w, s, s.parentId, s.parentName, "Account total", s.balance(), s.aging);
  }
  return w.take();
}

std::string remittanceCsv(const Statement& s) {
  // The payer fills in its check and may pay less of an item than it owes.
  Writer w(kRemitHeadings);
  for (const Store& store : s.stores)
    for (const OpenItem& i : store.debits)
      w.row({s.parentId, store.custId, i.refNbr, dateText(i.docDate),
             amountText(i.original, s.decimals), amountText(i.balance, s.decimals)});
  return w.take();
}

}  // namespace corvena::statement
