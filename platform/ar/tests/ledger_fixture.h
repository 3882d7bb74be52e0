#pragma once
// A company with AR set up (AR 1200, cash 1000, sales 4000, discounts 4900) and
// helpers that enter batches, documents, lines and applications as the host
// screens store them, unreleased.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ar/ledger.h"
#include "platform/db/tests/test_database.h"

namespace corvena::ar::testing {

class LedgerTest : public ::testing::Test {
 public:
  LedgerTest();
  void TearDown() override;

  void batch(const std::string& nbr, double ctrlTot, const std::string& period = "202612");
  // An unreleased invoice-like document with one line for its amount.
  void document(const std::string& bat, const std::string& cust, const std::string& type,
                const std::string& ref, double amount, double discBal = 0);
  void payment(const std::string& bat, const std::string& cust, const std::string& ref,
               double amount);
  // A reversal of the customer's document, whole or (onlyBatch) what it applied there.
  void reversal(const std::string& bat, const std::string& cust, const std::string& ref,
                const std::string& revType, const std::string& revRef, double amount,
                const std::string& onlyBatch = "");
  void apply(const std::string& bat, const std::string& cust, const std::string& adjgType,
             const std::string& adjgRef, const std::string& adjdType, const std::string& adjdRef,
             double amount, double discount = 0);
  std::string release(const std::string& bat);
  // Rows of a query, each its columns joined by '|'.
  std::vector<std::string> rows(const std::string& sql);

  db::testing::ScratchDir dir_;
  std::unique_ptr<db::Database> db_;
};

}  // namespace corvena::ar::testing
