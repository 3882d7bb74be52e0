#pragma once
// A statement as one CSV table for a spreadsheet: every open item, credit and
// activity line under its store, a total line per store and for the account
// with its aging, and the remittance lines the chain pays by.

#include <string>
#include <vector>

#include "screens/statement/statement.h"

namespace corvena::statement {

std::string statementCsv(const std::vector<Statement>& statements);

// Amounts at the statement's precision, as the CSV and the paper write them.
std::string amountText(double value, int decimals);

}  // namespace corvena::statement
