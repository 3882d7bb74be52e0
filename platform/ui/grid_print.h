#pragma once
// A grid's lines as they are shown (shown lines, visible columns in their
// order) written out: a CSV file for a spreadsheet, and an edit list for
// paper: the screen's caption and header fields above the lines, so a batch
// can be checked before it is released.

#include <QString>

class QPrinter;

namespace corvena::ui {

class GridView;

QString csvText(const GridView& grid);
// False with the reason when the file cannot be written.
bool writeCsv(const GridView& grid, const QString& path, QString& why);
QString editListHtml(const GridView& grid);
void printEditList(const GridView& grid, QPrinter& printer);

}  // namespace corvena::ui
