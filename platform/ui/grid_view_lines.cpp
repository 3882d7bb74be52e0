// The grid's lines as a clerk works through many of them: finding one,
// showing only those with amounts, clearing the amounts of all.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTableWidget>

#include "platform/forms/ui.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/grid_table.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/work_progress.h"

namespace corvena::ui {

namespace {

bool isZero(const std::string& text) {
  const QString trimmed = qText(text).trimmed();
  return trimmed.isEmpty() || trimmed.toDouble() == 0.0;
}

QString headingsJoined(const std::vector<forms::Control*>& columns, const QString& word) {
  QStringList headings;
  for (const forms::Control* column : columns) headings << qText(column->property("heading"));
  if (headings.size() < 2) return headings.join("");
  const QString last = headings.takeLast();
  return headings.join(", ") + " " + word + " " + last;
}

// An amount the screen adds up into a total of its header (a trigger names it).
bool isTotalled(const forms::Control& column) {
  if (!column.bound()) return false;
  const QString field = qText(column.bufferName() + "." + column.fieldName());
  for (const auto& control : column.form().controls())
    if (qText(control->property("trigger")).contains(field, Qt::CaseInsensitive)) return true;
  return false;
}

}  // namespace

std::vector<forms::Control*> GridView::amountColumns() const {
  std::vector<forms::Control*> amounts;
  for (forms::Control* column : columns_)
    if (column->cls() == forms::ControlClass::Float && column->enabled() && column->visible() &&
        isTotalled(*column))
      amounts.push_back(column);
  return amounts;
}

QString GridView::amountsWord(const QString& word) const {
  return headingsJoined(amountColumns(), word);
}

bool GridView::lineHasAmounts(int line) const {
  if (line < 0 || static_cast<std::size_t>(line) >= session_->grids().lineCount(*grid_))
    return false;
  for (const forms::Control* column : amountColumns())
    if (!isZero(session_->grids().cellText(*grid_, static_cast<std::size_t>(line), *column)))
      return true;
  return false;
}

bool GridView::rowShown(int row) const {
  return !amountsOnly_ || lineHasAmounts(row);
}

void GridView::setAmountsOnly(bool only) {
  amountsOnly_ = only;
  applyFilter();
}

void GridView::applyFilter() {
  for (int row = 0; row < table_->rowCount(); ++row)
    if (table_->isRowHidden(row) == rowShown(row)) table_->setRowHidden(row, !rowShown(row));
  table_->follow();
}

bool GridView::rowHasText(int row, const QString& text) const {
  for (int col = 0; col < table_->columnCount(); ++col) {
    const QTableWidgetItem* item = table_->item(row, col);
    if (!table_->isColumnHidden(col) && item && item->text().contains(text, Qt::CaseInsensitive))
      return true;
  }
  return false;
}

bool GridView::findNext(const QString& text) {
  const int lines = static_cast<int>(session_->grids().lineCount(*grid_));
  if (text.trimmed().isEmpty() || lines == 0 || !commit()) return false;
  drawAll();
  const int from = std::max(table_->currentRow(), -1);
  for (int step = 1; step <= lines; ++step) {
    const int row = (from + step) % lines;
    if (table_->isRowHidden(row) || !rowHasText(row, text.trimmed())) continue;
    table_->setCurrentCell(row, std::max(table_->currentColumn(), 0));
    table_->scrollToItem(table_->item(row, 0));
    return session_->grids().currentLine(*grid_) == row;
  }
  return false;
}

// Amounts go to 0 last column first, so no check sees a line's total above its balance.
bool GridView::clearLine(int line, const std::vector<forms::Control*>& amounts) {
  if (!session_->grids().selectLine(*grid_, line)) return false;
  for (auto it = amounts.rbegin(); it != amounts.rend(); ++it) {
    if (isZero(session_->grids().cellText(*grid_, static_cast<std::size_t>(line), **it))) continue;
    if (!session_->enterValue(**it, "0")) return false;
  }
  return true;
}

int GridView::clearAmounts() {
  const auto amounts = amountColumns();
  std::vector<int> lines;
  for (int line = 0; line < static_cast<int>(session_->grids().lineCount(*grid_)); ++line)
    if (lineHasAmounts(line)) lines.push_back(line);
  if (amounts.empty() || lines.empty() || !commit()) return 0;
  const QString question = QString("Clear %1 on %L2 line(s)?")
                               .arg(amountsWord("and"))
                               .arg(static_cast<qulonglong>(lines.size()));
  if (showMessageBox(stdText(question), forms::kStyleYesNoSafe, "Clear Amounts", window()) !=
      forms::kAnswerYes)
    return -1;
  WorkProgress progress;
  std::size_t cleared = 0;
  holdReload_ = true;
  const bool ok = guardedCall(*session_, [&] {
    for (int line : lines) {
      if (!clearLine(line, amounts)) return false;
      if (++cleared % 100 == 0) progress.step(window(), "Clearing", cleared, lines.size());
    }
    return true;
  });
  holdReload_ = false;
  progress.end();
  reload();
  modelChanged_();
  return ok ? static_cast<int>(cleared) : -1;
}

}  // namespace corvena::ui
