#pragma once
// A remittance advice as the payer sent it: one check and the documents it pays,
// whatever file it came in. Amounts are in cents so that sums never drift.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/db/record.h"

namespace corvena::remit {

using Cents = std::int64_t;

struct RemitLine {
  int source = 0;         // the file's line (or segment) the entry came from
  std::string store;      // the customer paid for: its ID or its name, as the payer wrote it
  std::string reference;  // the document paid
  Date invoiceDate;
  Cents gross = 0;
  Cents discount = 0;
  Cents paid = 0;
};

struct Remittance {
  std::string payer;  // the parent, when the file names it
  std::string checkNumber;
  Date checkDate;  // blank when the file gives none
  Cents checkAmount = 0;
  std::vector<RemitLine> lines;
};

// A file that cannot be read as a remittance: what is wrong and on which line.
class RemitError : public std::runtime_error {
 public:
  RemitError(int line, const std::string& what)
      : std::runtime_error(line > 0 ? "Line " + std::to_string(line) + ": " + what : what),
        line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

}  // namespace corvena::remit
