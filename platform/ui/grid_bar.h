#pragma once
// The bar above a grid's lines: Find (Ctrl+F; Enter finds the next line with
// the text), only the lines with amounts entered, clearing those amounts,
// export to a CSV file (Ctrl+Shift+E) and printing the lines under the
// screen's header fields (Ctrl+P), with a preview first. Escape in Find
// clears the search and goes back to the lines, never to the window's Cancel.

#include <QWidget>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace corvena::ui {

class GridView;

class GridBar : public QWidget {
 public:
  GridBar(GridView& grid, QWidget* parent);

  QLineEdit* findField() const { return find_; }
  QCheckBox* amountsOnlyBox() const { return amountsOnly_; }
  QPushButton* clearButton() const { return clear_; }
  // Enables what the grid's state allows (nothing to clear in a closed batch).
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addFind(QHBoxLayout& row);
  void addAmounts(QHBoxLayout& row);
  void addOutput(QHBoxLayout& row);
  void findNext();
  void clearAmounts();
  void exportLines();
  void printLines();
  void tell(const QString& text);

  GridView* grid_;
  QLineEdit* find_ = nullptr;
  QCheckBox* amountsOnly_ = nullptr;
  QPushButton* clear_ = nullptr;
};

}  // namespace corvena::ui
