#pragma once
// A fresh company database per test with a national account (parent P1 with
// children K1, K2 and K3, and X9 outside it), AR set up with accounts (7000 a
// project account, project STORE-REFIT with tasks DESIGN and INSTALL), the
// module's wash account, and QM18900 run as its program runs: a screen script
// in, its output and the database's rows out. The host screens a release
// drives run as programs of their own.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/tests/test_database.h"
#include "runtime/screen_program.h"
#include "screens/testing/screen_under_test.h"

namespace corvena::transfer::testing {

using Rows = std::vector<std::string>;

class TransferTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // QM18900 signed on to the company as user_, running the script; its output.
  std::string run(const std::string& script);
  static runtime::ScreenDefinition screen();
  screens::testing::SignOn signedOn() const;
  // A released credit (or debit) memo of the customer entered in 0801000, one
  // line of 4000 for each amount; its reference.
  std::string creditMemo(const std::string& customer, const std::vector<double>& lines);
  std::string debitMemo(const std::string& customer, double amount);
  std::string document(const std::string& type, const std::string& customer,
                       const std::vector<double>& lines);
  // A released payment of the customer entered in 0803000; its reference.
  std::string payment(const std::string& customer, const std::string& reference, double amount);
  // Rows of a query, each row its columns joined by '|'.
  Rows rows(const std::string& sql);

  db::testing::ScratchDir dir_;
  std::string path_;
  std::optional<std::string> passwordFile_;  // CLERK1 signs on with it when the company has users
  std::string user_ = "CLERK1";
  std::string company_ = "CO1";
  std::string date_ = "2026-03-02";
};

// With K1's credit memo of 300 (one line) entered and released; source_ is
// the script lines that choose it as the source.
class SourcedTransferTest : public TransferTest {
 protected:
  void SetUp() override;
  std::string source_;
};

// The script lines that add a destination and its one line of `amount` on
// `account` (left on the line's default when empty).
std::string destination(int line, const std::string& customer, const std::string& amount,
                        const std::string& account = "4000");
// A new batch of the source document with the given destinations.
std::string batch(const std::string& source, const std::string& reference,
                  const std::string& destinations);

}  // namespace corvena::transfer::testing
