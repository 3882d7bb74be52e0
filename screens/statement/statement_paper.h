#pragma once
// A statement on paper: the account's aging by store, then each store on pages
// of its own (open items, credits, the activity since the last statement, its
// totals and aging), then the remittance part listing every open item with its
// store and reference for the chain to pay by. Drawn on a PDF writer or a
// printer alike, laid out for the page it is given (A4 or Letter).

#include <string>
#include <vector>

#include "screens/statement/statement.h"

class QPagedPaintDevice;

namespace corvena::statement {

enum class Paper { A4, Letter };

// Pages drawn.
int paintStatements(const std::vector<Statement>& statements, QPagedPaintDevice& device);

// Writes the PDF; false with why when it cannot.
bool writePdf(const std::vector<Statement>& statements, const std::string& path, Paper paper,
              std::string& why);

}  // namespace corvena::statement
