#pragma once
// A grid's table whose leading columns (the ones that say which line it is:
// customer, reference) stay in view while it scrolls sideways: a second view
// of the same lines drawn over the table's left edge, scrolling up and down
// with it.

#include <QTableWidget>
#include <vector>

namespace corvena::ui {

class GridTable : public QTableWidget {
 public:
  explicit GridTable(QWidget* parent);

  // Moves these columns, in this order, to the front and keeps them in view.
  void freeze(const std::vector<int>& columns);
  QTableView* frozenView() const { return frozen_; }
  // Width of the columns kept in view.
  int frozenWidth() const;
  // The kept columns take the table's widths, heights and hidden lines again.
  void follow();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint) override;

 private:
  bool isFrozen(int column) const;
  void placeFrozen();

  QTableView* frozen_;
  std::vector<int> frozenColumns_;
};

}  // namespace corvena::ui
