#pragma once
// Writes demo rows: setup, customers, national-account links and released AR
// documents with their batches and lines, numbered like the host numbers them.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/host_records.h"

namespace corvena::demo {

// Deterministic pseudo-random numbers, the same on every machine.
class Sequence {
 public:
  explicit Sequence(std::uint32_t seed) : state_(seed) {}
  int below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }
  // An amount in cents between low and high whole units.
  double amount(int low, int high) { return (low * 100 + below((high - low) * 100)) / 100.0; }

 private:
  std::uint32_t state_;
};

struct DocSpec {
  std::string custId, docType;
  Date docDate;
  double amount = 0, balance = 0;
  bool discount = false;  // 2% 10 net 30 terms
  std::string refNbr;     // blank: the next AR reference number
};

class DemoBuilder {
 public:
  explicit DemoBuilder(db::Database& db) : db_(db) {}

  void setup();  // company, ledgers, accounts, numbering, module setup
  void customer(const std::string& id, const std::string& name, const std::string& city,
                const std::string& cycle, const std::string& status = "A");
  // The module's tables are written by SQL: platform code knows no module records.
  void nationalAccount(const std::string& parent, const std::vector<std::string>& children,
                       bool statement, bool financeCharges);
  // Released, in the current open AR batch; written with the batch when it closes.
  ARDoc document(const DocSpec& spec);
  void closeBatch();  // the batch's totals; the next document starts another
  // A released national-account payment of the parent's check: the first `lines`
  // open invoices of the account paid in full by one host payment per customer,
  // recorded as a closed batch with its detail rows.
  void nationalPayment(const std::string& parent, const std::string& checkNbr, int lines);

 private:
  std::string nextNumber(const std::string& source);
  std::string nextReference();
  void openBatch();
  void apply(const ARDoc& payment, const ARDoc& invoice, const std::string& naBatch);
  db::Database& db_;
  Batch batch_;
  bool batchOpen_ = false;
  // The open batch's rows, written in a few statements when it closes, and the
  // lines so far of each of its references.
  std::vector<ARDoc> docs_;
  std::vector<ARTran> trans_;
  std::map<std::string, std::int16_t> linesOfRef_;
  // The last AR reference the open batch handed out, stored when it closes.
  std::string lastRef_;
};

}  // namespace corvena::demo
