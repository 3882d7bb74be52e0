#pragma once
// A grid's lines as they are shown (shown lines, visible columns in their
// order) written out: a CSV file for a spreadsheet, and an edit list for
// paper: the screen's caption and header fields above the lines, so a batch
// can be checked before it is released.

#include <QString>

class QPrinter;

namespace corvena::ui {

class GridView;

// Each draws every line of the grid first.
QString csvText(GridView& grid);
// False with the reason when the file cannot be written.
bool writeCsv(GridView& grid, const QString& path, QString& why);
QString editListHtml(GridView& grid);
void printEditList(GridView& grid, QPrinter& printer);

}  // namespace corvena::ui
