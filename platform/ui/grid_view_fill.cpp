// Drawing the lines into the table. A large grid draws only the rows in view
// when its lines change, and the others as they scroll into view (or all of
// them before they are searched, exported or printed): typing an amount on a
// line of 20,000 costs what it costs on a line of 20.
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <utility>

#include "platform/ui/grid_table.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

QString captionOf(const forms::Control& column, const QString& value) {
  for (const auto& item : forms::parseList(column.property("list")))
    if (qText(item.value) == value.trimmed()) return qText(item.caption);
  return value;
}

}  // namespace

void GridView::reload() {
  if (holdReload_) return;
  filling_ = true;
  table_->setRowCount(rowCountShown());
  // Every row is stale now; only those in view are drawn again at once.
  ++generation_;
  drawnIn_.resize(static_cast<std::size_t>(table_->rowCount()), 0);
  if (table_->rowCount() <= kDrawnAtOnce) {
    drawRows(0, table_->rowCount());
  } else {
    drawInView();
  }
  const int current = session_->grids().currentLine(*grid_);
  if (current >= 0 && current < table_->rowCount()) {
    drawRows(current, current + 1);
    table_->setCurrentCell(current, std::max(table_->currentColumn(), 0));
  }
  filling_ = false;
  applyFilter();
  linePosition_->setText(QString("Line %1 of %2")
                             .arg(current + 1)
                             .arg(static_cast<qulonglong>(session_->grids().lineCount(*grid_))));
  for (auto& editor : lineEditors_) editor->refresh();
}

void GridView::drawRows(int first, int last) {
  const bool wasFilling = std::exchange(filling_, true);
  for (int row = std::max(first, 0); row < last && row < table_->rowCount(); ++row) {
    auto& drawn = drawnIn_[static_cast<std::size_t>(row)];
    if (drawn == generation_) continue;
    fillRow(row);
    drawn = generation_;
    // A large grid takes a while to draw: that is long work like its reading.
    session_->noteWork();
  }
  filling_ = wasFilling;
}

void GridView::drawInView() {
  const int top = table_->rowAt(0);
  const int bottom = table_->rowAt(table_->viewport()->height() - 1);
  const int first = std::max(top, 0);
  drawRows(first, bottom >= 0 ? bottom + 1 : first + kRowsInView);
}

void GridView::drawAll() {
  drawRows(0, table_->rowCount());
}

void GridView::fillRow(int row) {
  for (int col = 0; col < table_->columnCount(); ++col) fillCell(row, col);
}

QString GridView::cellText(int row, const forms::Control& column) const {
  QString raw;
  if (static_cast<std::size_t>(row) < session_->grids().lineCount(*grid_))
    raw = qText(session_->grids().cellText(*grid_, static_cast<std::size_t>(row), column));
  else if (session_->grids().currentLine(*grid_) < 0)
    // Only a line being added has its values in the line records; otherwise
    // they hold the current line, which the new-line row must not repeat.
    raw = qText(session_->displayText(column));
  switch (column.cls()) {
    case forms::ControlClass::Float: {
      bool ok = false;
      const double value = raw.toDouble(&ok);
      return ok ? QString::number(value, 'f', session_->currencyDecimals()) : raw;
    }
    case forms::ControlClass::Combo:
    case forms::ControlClass::OptionGroup:
      return captionOf(column, raw);
    default:
      return raw;
  }
}

void GridView::fillCell(int row, int col) {
  const forms::Control& column = *columns_[static_cast<std::size_t>(col)];
  auto* item = table_->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    table_->setItem(row, col, item);
  }
  const QString text = cellText(row, column);
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (column.cls() == forms::ControlClass::Check) {
    item->setText(QString());
    item->setCheckState(text.trimmed() == "1" ? Qt::Checked : Qt::Unchecked);
    if (column.enabled()) flags |= Qt::ItemIsUserCheckable;
  } else {
    item->setText(text);
    if (column.enabled()) flags |= Qt::ItemIsEditable;
  }
  if (column.cls() == forms::ControlClass::Float)
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (!column.enabled())
    item->setForeground(table_->palette().color(QPalette::Disabled, QPalette::Text));
  item->setFlags(flags);
}

}  // namespace corvena::ui
