#pragma once
// A grid's table whose leading columns (the ones that say which line it is:
// customer, reference) stay in view while it scrolls sideways: a second view
// of the same lines drawn over the table's left edge, scrolling up and down
// with it. Tab steps through the cells that can be typed into, Ctrl+Tab
// leaves the grid; PageUp/PageDown move a page and Ctrl+Home/End go to the
// first and last line, ahead of the window's keys for the same.

#include <QTableWidget>
#include <functional>
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
  // Whether a column's cells can be typed into.
  void setTypable(std::function<bool(int column)> typable) { typable_ = std::move(typable); }
  // The whole grid, its bar with it, that Ctrl+Tab leaves.
  void setOwner(QWidget* owner) { owner_ = owner; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint) override;

 private:
  bool isFrozen(int column) const;
  void placeFrozen();
  void leave(bool forward);
  // The next (or previous) cell that can be typed into; none past the last.
  QModelIndex typableAfter(const QModelIndex& from, int step) const;

  QTableView* frozen_;
  std::vector<int> frozenColumns_;
  std::function<bool(int column)> typable_;
  QWidget* owner_ = this;
};

}  // namespace corvena::ui
