#pragma once
// Matching a remittance to the national account's documents, line by line and
// rule by rule, never guessing: a line that does not name one open document
// beyond doubt is listed with the reason and nothing is applied for it.

#include <string>
#include <vector>

#include "screens/payapp/remit/remittance.h"

namespace corvena::remit {

struct AccountCustomer {
  std::string id;
  std::string name;
};

// Unavailable: an unreleased AR payment applies to it, or another company's.
enum class DocumentState { Open, HeldByBatch, Closed, Unavailable };

struct AccountDocument {
  std::string customer;
  std::string reference;
  std::string type;
  Cents balance = 0;
  Cents discountBalance = 0;
  Date discountDate;
  DocumentState state = DocumentState::Open;
  std::string batch;  // the other batch that holds it
  int gridLine = -1;  // where the grid shows an open one
};

// The parent and its children, and their documents: the open ones as the
// grid shows them, and those the grid leaves out (held or closed) so that a
// line naming one is told why.
struct Account {
  std::vector<AccountCustomer> customers;
  std::vector<AccountDocument> documents;
};

enum class Outcome { Applied, Short, Disputed, NotApplied };

struct LineMatch {
  RemitLine line;
  Outcome outcome = Outcome::NotApplied;
  int document = -1;  // into Account::documents, when one was found
  Cents applied = 0;
  Cents discount = 0;
  std::string note;
};

struct MatchResult {
  std::string refusal;  // the whole file refused: nothing is applied
  std::vector<LineMatch> lines;
  Cents applied = 0;
  Cents discount = 0;
  Cents unapplied = 0;
};

// Why the file is refused whole (its lines pay more than its check), or nothing.
std::string overrunOf(const Remittance& remittance);

// The payment date stands in for the check's when the file gives none.
MatchResult matchRemittance(const Remittance& remittance, const Account& account, Date paymentDate);

std::string outcomeText(Outcome outcome);

}  // namespace corvena::remit
