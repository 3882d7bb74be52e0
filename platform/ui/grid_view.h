#pragma once
// A grid: its lines as a table (column titles from the columns' headings,
// editable where the column is enabled), or one line at a time as a form. F4
// switches between the two. Values go through the framework's entry path;
// Enter in an amount column goes on to the next line.

#include <QStackedWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/field_editor.h"

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace corvena::ui {

class GridView : public QStackedWidget {
 public:
  // modelChanged is told after every accepted entry or line change.
  GridView(forms::Session& session, forms::Control& grid, std::function<void()> modelChanged);

  forms::Control& grid() const { return *grid_; }
  QTableWidget* table() const { return table_; }
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

 private:
  void buildTable();
  int columnWidth(const forms::Control& column) const;
  void buildLineForm();
  void deleteCurrentLine();
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
  QTableWidget* table_ = nullptr;
  QLabel* linePosition_ = nullptr;
  std::vector<std::unique_ptr<FieldEditor>> lineEditors_;
  bool filling_ = false;
  bool lastCellRefused_ = false;
};

}  // namespace corvena::ui
