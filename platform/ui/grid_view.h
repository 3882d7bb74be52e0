#pragma once
// A grid: its lines as a table (column titles from the columns' headings,
// editable where the column is enabled), or one line at a time as a form. F4
// switches between the two. Values go through the framework's entry path;
// Enter in an amount column goes on to the next line. Above the table, a bar
// finds a line, shows only the lines with amounts entered, clears them,
// exports the lines and prints them.

#include <QStackedWidget>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/column_look.h"
#include "platform/ui/field_editor.h"

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace corvena::ui {

class GridBar;
class GridTable;

class GridView : public QStackedWidget {
 public:
  // modelChanged is told after every accepted entry or line change.
  GridView(forms::Session& session, forms::Control& grid, std::function<void()> modelChanged);

  forms::Control& grid() const { return *grid_; }
  forms::Session& session() const { return *session_; }
  const std::vector<forms::Control*>& columns() const { return columns_; }
  QTableWidget* table() const;
  GridBar* bar() const { return bar_; }
  bool showsTable() const { return currentIndex() == 0; }
  void toggleView();

  // Shows the lines and the current line as the model holds them.
  void reload();
  // Column headings, enabled and visible columns as the properties say.
  void applyProperties();
  // Enters a chosen value into what is current now: the cell, or the line
  // form's field; empty when nothing is.
  std::function<bool(const std::string&)> entryForCurrent();
  // The column under the cursor (table) or of the focused field (line form).
  forms::Control* currentColumn() const;
  // Enters what is typed in the line form.
  bool commit();
  FieldEditor* focusedLineEditor() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The columns the clerk enters amounts in that the screen adds up into
  // totals, and their headings joined by the word ("Apply Amount and Cash Disc").
  std::vector<forms::Control*> amountColumns() const;
  QString amountsWord(const QString& word) const;
  bool lineHasAmounts(int line) const;
  // Only the lines with an amount entered are shown, until switched off.
  void setAmountsOnly(bool only);
  bool amountsOnly() const { return amountsOnly_; }
  // Makes current the next shown line after the current one (wrapping) with
  // the text in one of its columns; false when none has it.
  bool findNext(const QString& text);
  // Enters 0 in every amount column of every line that has one, line by line
  // through the entry path, after asking; the lines cleared, -1 when a line
  // refused or the clerk said no.
  int clearAmounts();
  // Whether the row is shown (not filtered out); rows past the lines are the new-line row.
  bool rowShown(int row) const;
  // Draws every row that is not drawn as the lines stand now.
  void drawAll();

 private:
  void buildTable();
  void applyFilter();
  bool rowHasText(int row, const QString& text) const;
  bool clearLine(int line, const std::vector<forms::Control*>& amounts);
  ColumnLook lookOf(const forms::Control& column) const;
  void buildLineForm();
  void deleteCurrentLine();
  void drawRows(int first, int last);
  void drawInView();
  void fillRow(int row);
  void fillCell(int row, int col);
  QString cellText(int row, const forms::Control& column) const;
  std::string enteredText(const QTableWidgetItem& item, const forms::Control& column) const;
  void cellEdited(QTableWidgetItem* item);
  void rowEntered(int row, int previousRow);
  bool enterCell(int row, int col, const std::string& text);
  void moveLine(int delta);
  void enteredDown();
  int rowCountShown() const;
  bool addsLines() const;

  forms::Session* session_;
  forms::Control* grid_;
  std::vector<forms::Control*> columns_;
  std::function<void()> modelChanged_;
  GridTable* table_ = nullptr;
  GridBar* bar_ = nullptr;
  QLabel* linePosition_ = nullptr;
  std::vector<std::unique_ptr<FieldEditor>> lineEditors_;
  bool filling_ = false;
  bool lastCellRefused_ = false;
  bool amountsOnly_ = false;
  // Which reload each row was last drawn in; a grid this small is drawn whole.
  static constexpr int kDrawnAtOnce = 500;
  static constexpr int kRowsInView = 60;
  unsigned generation_ = 0;
  std::vector<unsigned> drawnIn_;
  // Set while many lines change at once: the table is filled once at the end.
  bool holdReload_ = false;
};

}  // namespace corvena::ui
