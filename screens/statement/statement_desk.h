#pragma once
// The statement at a desk: Qt's print preview and print dialogs, and the file a
// statement is written to. Only where the screen runs in a window.

#include <string>
#include <vector>

#include "screens/statement/statement_paper.h"

namespace corvena::statement {

// True when the screen runs in a window (a widget application is up).
bool atDesk();
// The file the person names to write to; empty when they name none.
std::string chooseSaveFile(const std::string& caption, const std::string& filter);
void previewStatements(const std::vector<Statement>& statements, Paper paper);
void printStatements(const std::vector<Statement>& statements, Paper paper);

}  // namespace corvena::statement
