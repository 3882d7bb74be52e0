#pragma once
// A statement as one CSV table for a spreadsheet: every open item, credit and
// activity line under its store, a total line per store and for the account
// with its aging; and its remittance, the lines the chain pays by.

#include <string>
#include <vector>

#include "screens/statement/statement.h"

namespace corvena::statement {

std::string statementCsv(const std::vector<Statement>& statements);

// The account's open debits as a remittance the chain fills in (its check, what
// it pays of each item) and sends back for the payment application to import.
std::string remittanceCsv(const Statement& statement);

// Amounts at the statement's precision, as the CSV and the paper write them.
std::string amountText(double value, int decimals);

}  // namespace corvena::statement
