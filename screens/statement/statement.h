#pragma once
// The consolidated statement of a national account as of a date: the parent and
// each child as a store of its own, with its open items, its open credits, what
// happened since the last statement and how old its debt is. Read only from what
// AR had released by that date, so the statement of a date never changes.

#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/record.h"

namespace corvena::statement {

// Debt by days past due: current, 1-30, 31-60, 61-90, over 90.
struct Aging {
  static constexpr int kBuckets = 5;
  double bucket[kBuckets] = {};
  void add(int daysPastDue, double amount);
  Aging& operator+=(const Aging& other);
  double total() const;
};

const char* bucketName(int bucket);

struct OpenItem {
  std::string custId, docType, refNbr;
  Date docDate, dueDate;
  double original = 0, balance = 0;
  int daysPastDue = 0;
};

// A document released, or an application or reversal that moved a balance,
// with the national-account batch that caused it (empty when none did).
struct Activity {
  Date released;
  std::string custId, docType, refNbr, what, arBatch, naBatch;
  double amount = 0;
};

struct Store {
  std::string custId, name;
  bool parent = false;
  std::vector<OpenItem> debits, credits;
  std::vector<Activity> activity;
  Aging aging;
  double debitTotal = 0, creditTotal = 0;
  int oldestDays = 0;  // days past due of the oldest open debit; 0 without one
  double balance() const { return debitTotal - creditTotal; }
};

struct Statement {
  std::string parentId, parentName;
  Date asOf, lastStatement;
  int decimals = 2;
  std::vector<Store> stores;  // the parent first, then the children by customer ID
  Aging aging;
  double debitTotal = 0, creditTotal = 0;
  double balance() const { return debitTotal - creditTotal; }
  std::size_t openItems() const;
};

// A national account's statement; decimals: the company currency's precision.
// Throws db::DbError when the parent is no national account.
Statement readStatement(db::Database& db, const std::string& parentId, const Date& asOf,
                        int decimals = 2);

// The national accounts that consolidate statements and whose parent is on the cycle.
std::vector<std::string> consolidatingAccounts(db::Database& db, const std::string& cycleId);

// The statement date before asOf on the parent's statement cycle (its day, or the
// month's last day when shorter); a month before asOf without a cycle.
Date lastStatementDate(db::Database& db, const std::string& parentId, const Date& asOf);

// Whole days from one date to the other.
int daysBetween(const Date& from, const Date& to);

// The stores in the order a collector reads them: the oldest debt first.
std::vector<const Store*> byOldestDebt(const Statement& s);

}  // namespace corvena::statement
