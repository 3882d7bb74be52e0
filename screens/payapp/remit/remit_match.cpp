#include "screens/payapp/remit/remit_match.h"

#include <cctype>
#include <map>
#include <set>

#include "screens/payapp/remit/remit_values.h"

namespace corvena::remit {

namespace {

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t") - first + 1));
}

std::string upperTrimmed(std::string_view s) {
  std::string out = trimmed(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// A name with its blanks run together, case ignored.
std::string nameKey(std::string_view s) {
  std::string out;
  for (char c : upperTrimmed(s)) {
    const bool blank = std::isspace(static_cast<unsigned char>(c));
    if (blank && !out.empty() && out.back() == ' ') continue;
    out += blank ? ' ' : c;
  }
  return out;
}

// A reference with case, blanks and leading zeros ignored: "inv 0042" is "INV0042", "00042" is
// "42".
std::string looseReference(std::string_view s) {
  std::string out;
  for (char c : upperTrimmed(s))
    if (!std::isspace(static_cast<unsigned char>(c))) out += c;
  const auto digit = out.find_first_not_of('0');
  return digit == std::string::npos ? "0" : out.substr(digit);
}

using Index = std::multimap<std::string, int>;

// A document found, or why none could be.
struct Found {
  int document = -1;
  std::string why;
};

class Matcher {
 public:
  Matcher(const Remittance& r, const Account& a, Date paymentDate)
      : remittance_(r),
        account_(a),
        paymentDate_(r.checkDate.isBlank() ? paymentDate : r.checkDate) {
    for (int i = 0; i < static_cast<int>(a.customers.size()); ++i) {
      customerIds_.emplace(upperTrimmed(a.customers[i].id), i);
      customerNames_.emplace(nameKey(a.customers[i].name), i);
    }
    for (int i = 0; i < static_cast<int>(a.documents.size()); ++i) {
      exact_.emplace(trimmed(a.documents[i].reference), i);
      loose_.emplace(looseReference(a.documents[i].reference), i);
    }
  }

  MatchResult run() {
    MatchResult result;
    result.refusal = overrunOf(remittance_);
    if (!result.refusal.empty()) return result;
    for (const auto& line : remittance_.lines) result.lines.push_back(matchLine(line));
    for (const auto& m : result.lines) {
      result.applied += m.applied;
      result.discount += m.discount;
    }
    result.unapplied = remittance_.checkAmount - result.applied;
    return result;
  }

 private:
  LineMatch matchLine(const RemitLine& line) {
    LineMatch m{.line = line};
    if (line.paid < 0 || line.discount < 0) {
      m.note = "A deduction: nothing applied.";
      return m;
    }
    std::string why;
    const auto customer = findCustomer(line.store, why);
    if (!why.empty()) {
      m.note = why;
      return m;
    }
    const Found found = findDocument(line.reference, customer);
    m.document = found.document;
    m.note = found.why;
    if (found.why.empty()) settle(m);
    return m;
  }

  // The customer the store names; -1 for none named (any customer of the account).
  int findCustomer(const std::string& store, std::string& why) const {
    if (upperTrimmed(store).empty()) return -1;
    if (auto id = customerIds_.find(upperTrimmed(store)); id != customerIds_.end())
      return id->second;
    const auto named = customerNames_.count(nameKey(store));
    if (named == 1) return customerNames_.find(nameKey(store))->second;
    why = named > 1 ? "Store \"" + store + "\" names " + std::to_string(named) +
                          " customers of the national account: name it by its ID."
                    : "Store \"" + store + "\" is not a customer of the national account.";
    return -1;
  }

  Found findDocument(const std::string& reference, int customer) {
    for (const auto& [index, key] :
         {std::pair{&exact_, trimmed(reference)}, std::pair{&loose_, looseReference(reference)}}) {
      std::vector<int> candidates;
      for (auto [it, end] = index->equal_range(key); it != end; ++it)
        if (customer < 0 ||
            account_.documents[it->second].customer == account_.customers[customer].id)
          candidates.push_back(it->second);
      if (!candidates.empty()) return choose(reference, candidates);
    }
    return {-1, "Reference " + reference + " is no document of " +
                    (customer < 0 ? std::string("the national account")
                                  : account_.customers[customer].id) +
                    "."};
  }

  // The one open document among the candidates; a held or closed one is only a reason.
  Found choose(const std::string& reference, const std::vector<int>& candidates) {
    std::vector<int> open;
    std::set<std::string> customers;
    for (int i : candidates)
      if (account_.documents[i].state == DocumentState::Open) {
        open.push_back(i);
        customers.insert(account_.documents[i].customer);
      }
    if (open.size() > 1)
      return {-1, "Reference " + reference + " names " + std::to_string(open.size()) +
                      " open documents" +
                      (customers.size() > 1 ? " of " + std::to_string(customers.size()) +
                                                  " customers: name the store."
                                            : ": not guessed.")};
    if (open.empty()) return closedOrHeld(candidates.front());
    if (auto earlier = taken_.find(open.front()); earlier != taken_.end())
      return {open.front(),
              "Document already paid by line " + std::to_string(earlier->second) + " of the file."};
    return {open.front(), {}};
  }

  Found closedOrHeld(int i) const {
    const auto& doc = account_.documents[i];
    if (doc.state == DocumentState::HeldByBatch)
      return {i, "Document " + doc.reference + " is held by batch " + doc.batch + "."};
    if (doc.state == DocumentState::Unavailable)
      return {i, "Document " + doc.reference +
                     " cannot be paid in this batch: an unreleased AR payment applies to it, or "
                     "it is another company's."};
    return {i, "Document " + doc.reference + " is closed."};
  }

  // Rules 3 and 4 on the document found, and the check's own limit.
  void settle(LineMatch& m) {
    const auto& doc = account_.documents[m.document];
    const RemitLine& line = m.line;
    if (line.paid + line.discount > doc.balance) {
      m.note = "Overpaid: " + amountText(line.paid + line.discount) + " on a balance of " +
               amountText(doc.balance) + "; nothing applied.";
      return;
    }
    if (line.paid + line.discount == 0) {
      m.note = "Pays nothing.";
      return;
    }
    if (appliedSoFar_ + line.paid > remittance_.checkAmount) {
      m.note = "The check has only " + amountText(remittance_.checkAmount - appliedSoFar_) +
               " left: nothing applied.";
      return;
    }
    taken_.emplace(m.document, line.source);
    appliedSoFar_ += line.paid;
    m.applied = line.paid;
    m.outcome = Outcome::Applied;
    if (line.paid + line.discount < doc.balance) {
      m.outcome = Outcome::Short;
      m.note = "Short by " + amountText(doc.balance - line.paid - line.discount) + ".";
    }
    settleDiscount(m, doc);
  }

  void settleDiscount(LineMatch& m, const AccountDocument& doc) {
    const Cents discount = m.line.discount;
    if (discount == 0) return;
    std::string dispute;
    if (doc.discountDate.isBlank() || paymentDate_ > doc.discountDate)
      dispute = "Discount " + amountText(discount) + " taken after the discount date" +
                (doc.discountDate.isBlank() ? "" : " " + doc.discountDate.iso()) + ": disputed.";
    else if (discount > doc.discountBalance)
      dispute = "Discount " + amountText(discount) + " beyond the discount balance of " +
                amountText(doc.discountBalance) + ": disputed.";
    if (dispute.empty()) {
      m.discount = discount;
      return;
    }
    m.outcome = Outcome::Disputed;
    m.note = m.note.empty() ? dispute : m.note + " " + dispute;
  }

  const Remittance& remittance_;
  const Account& account_;
  Date paymentDate_;
  Index customerIds_, customerNames_, exact_, loose_;
  std::map<int, int> taken_;  // document, the file's line that paid it
  Cents appliedSoFar_ = 0;
};

}  // namespace

std::string overrunOf(const Remittance& remittance) {
  Cents total = 0;
  for (const auto& line : remittance.lines) total += line.paid;
  if (total <= remittance.checkAmount) return {};
  return "The remittance's lines pay " + amountText(total) + ", more than its check of " +
         amountText(remittance.checkAmount) + ": nothing was applied.";
}

MatchResult matchRemittance(const Remittance& remittance, const Account& account,
                            Date paymentDate) {
  return Matcher(remittance, account, paymentDate).run();
}

std::string outcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Applied:
      return "Applied";
    case Outcome::Short:
      return "Short";
    case Outcome::Disputed:
      return "Disputed";
    case Outcome::NotApplied:
      break;
  }
  return "Not applied";
}

}  // namespace corvena::remit
