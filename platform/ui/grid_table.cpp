#include "platform/ui/grid_table.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

namespace corvena::ui {

GridTable::GridTable(QWidget* parent) : QTableWidget(parent), frozen_(new QTableView(this)) {
  frozen_->setObjectName("frozenColumns");
  frozen_->setModel(model());
  frozen_->setSelectionModel(selectionModel());
  frozen_->verticalHeader()->hide();
  frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  frozen_->setFrameShape(QFrame::NoFrame);
  // A click there is a click in the grid: the table keeps the keyboard.
  frozen_->setFocusProxy(this);
  frozen_->setFocusPolicy(Qt::NoFocus);
  frozen_->hide();
  viewport()->stackUnder(frozen_);
  setHorizontalScrollMode(ScrollPerPixel);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { follow(); });
  connect(verticalHeader(), &QHeaderView::sectionResized, this,
          [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
  connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { follow(); });
  connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, [this] { placeFrozen(); });
}

void GridTable::freeze(const std::vector<int>& columns) {
  frozenColumns_ = columns;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int at = static_cast<int>(i);
    horizontalHeader()->moveSection(horizontalHeader()->visualIndex(columns[i]), at);
    frozen_->horizontalHeader()->moveSection(frozen_->horizontalHeader()->visualIndex(columns[i]),
                                             at);
  }
  frozen_->setVisible(!columns.empty());
  follow();
}

bool GridTable::isFrozen(int column) const {
  return std::find(frozenColumns_.begin(), frozenColumns_.end(), column) != frozenColumns_.end();
}

int GridTable::frozenWidth() const {
  int width = 0;
  for (int column : frozenColumns_)
    if (!isColumnHidden(column)) width += columnWidth(column);
  return width;
}

void GridTable::follow() {
  if (frozenColumns_.empty()) return;
  for (int col = 0; col < columnCount(); ++col) {
    frozen_->setColumnHidden(col, !isFrozen(col) || isColumnHidden(col));
    frozen_->setColumnWidth(col, columnWidth(col));
  }
  // Only what differs is set: a large grid's lines are many.
  for (int row = 0; row < rowCount(); ++row) {
    if (frozen_->isRowHidden(row) != isRowHidden(row)) frozen_->setRowHidden(row, isRowHidden(row));
    if (!isRowHidden(row) && frozen_->rowHeight(row) != rowHeight(row))
      frozen_->setRowHeight(row, rowHeight(row));
  }
  placeFrozen();
}

void GridTable::placeFrozen() {
  // Headings of two lines make the header taller: the lines below must meet.
  frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
  frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                       viewport()->height() + horizontalHeader()->height());
}

void GridTable::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  placeFrozen();
}

namespace {

// Keys that move within the lines, which the window would otherwise take for its records.
bool movesWithinLines(const QKeyEvent& key) {
  const auto mods = key.modifiers() & ~Qt::KeypadModifier;
  switch (key.key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return mods == Qt::NoModifier;
    case Qt::Key_Home:
    case Qt::Key_End:
      return mods == Qt::ControlModifier;
    default:
      return false;
  }
}

}  // namespace

bool GridTable::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride &&
      movesWithinLines(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QTableWidget::event(event);
}

void GridTable::keyPressEvent(QKeyEvent* event) {
  const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
  if (tab && (event->modifiers() & Qt::ControlModifier)) {
    leave(!(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier)));
    return;
  }
  QTableWidget::keyPressEvent(event);
}

// The window's focus chain, not the cells: the control after (or before) the grid.
void GridTable::leave(bool forward) {
  for (QWidget* at = forward ? nextInFocusChain() : previousInFocusChain(); at && at != this;
       at = forward ? at->nextInFocusChain() : at->previousInFocusChain()) {
    const bool within = at == owner_ || owner_->isAncestorOf(at);
    if (!within && at->window() == window() && at->isVisible() && at->isEnabled() &&
        (at->focusPolicy() & Qt::TabFocus)) {
      at->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return;
    }
  }
}

QModelIndex GridTable::typableAfter(const QModelIndex& from, int step) const {
  const int columns = columnCount();
  bool any = false;
  for (int column = 0; column < columns; ++column)
    any |= !isColumnHidden(column) && typable_(column);
  if (!any) return {};
  int row = from.row();
  int visual = horizontalHeader()->visualIndex(from.column());
  for (;;) {
    visual += step;
    if (visual < 0 || visual >= columns) {
      visual = step > 0 ? 0 : columns - 1;
      do row += step;
      while (row >= 0 && row < rowCount() && isRowHidden(row));
      if (row < 0 || row >= rowCount()) return {};
    }
    const int column = horizontalHeader()->logicalIndex(visual);
    if (!isColumnHidden(column) && typable_(column)) return model()->index(row, column);
  }
}

// Moving left under the kept columns scrolls the cell out from beneath them.
QModelIndex GridTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if ((action == MoveNext || action == MovePrevious) && typable_ && currentIndex().isValid())
    return typableAfter(currentIndex(), action == MoveNext ? 1 : -1);
  const QModelIndex current = QTableWidget::moveCursor(action, modifiers);
  if (action == MoveLeft && current.isValid() && !isFrozen(current.column())) {
    const int hidden = frozenWidth() - visualRect(current).left();
    if (hidden > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
  }
  return current;
}

void GridTable::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid() || !isFrozen(index.column())) {
    QTableWidget::scrollTo(index, hint);
    return;
  }
  // A kept column is always in view: only the line needs scrolling to.
  const int x = horizontalScrollBar()->value();
  QTableWidget::scrollTo(index, hint);
  horizontalScrollBar()->setValue(x);
}

}  // namespace corvena::ui
