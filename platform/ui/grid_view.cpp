#include "platform/ui/grid_view.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/ui/column_look.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/grid_bar.h"
#include "platform/ui/grid_table.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/typed_date.h"

namespace corvena::ui {

namespace {

// The columns that say which line it is: the first, then the line's keys;
// only shown ones, as a cell typed into must not sit beneath the kept copy.
std::vector<int> identifyingColumns(const std::vector<forms::Control*>& columns) {
  std::vector<int> kept;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const forms::Control& column = *columns[c];
    if (column.visible() && !column.enabled() && (c == 0 || column.isKey()))
      kept.push_back(static_cast<int>(c));
  }
  return kept;
}

}  // namespace

GridView::GridView(forms::Session& session, forms::Control& grid,
                   std::function<void()> modelChanged)
    : session_(&session),
      grid_(&grid),
      columns_(grid.form().columns(grid)),
      modelChanged_(std::move(modelChanged)) {
  setObjectName(qText(grid.name()));
  // The lines take whatever room the window has to spare.
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  buildTable();
  buildLineForm();
  auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), this, [this] { toggleView(); });
  f4->setContext(Qt::WidgetWithChildrenShortcut);
  auto* del =
      new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), this, [this] { deleteCurrentLine(); });
  del->setContext(Qt::WidgetWithChildrenShortcut);
  reload();
}

void GridView::buildTable() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  table_ = new GridTable(page);
  table_->setObjectName(qText(grid_->name() + ".table"));
  table_->setColumnCount(static_cast<int>(columns_.size()));
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
  table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * 6);
  QObject::connect(table_, &QTableWidget::itemChanged, table_, [this](QTableWidgetItem* item) {
    if (!filling_) cellEdited(item);
  });
  QObject::connect(table_->itemDelegate(), &QAbstractItemDelegate::closeEditor, table_,
                   [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                     if (hint == QAbstractItemDelegate::SubmitModelCache) enteredDown();
                   });
  // A line that takes no typing opens what it stands for, where the screen says.
  QObject::connect(table_, &QTableWidget::cellDoubleClicked, table_, [this](int row, int col) {
    const auto* item = table_->item(row, col);
    if (item && (item->flags() & Qt::ItemIsEditable)) return;
    if (static_cast<std::size_t>(row) >= session_->grids().lineCount(*grid_)) return;
    if (guardedCall(*session_, [&] { return session_->click(*grid_); })) modelChanged_();
  });
  QObject::connect(table_, &QTableWidget::currentCellChanged, table_,
                   [this](int row, int, int previousRow, int) {
                     if (!filling_ && row != previousRow) rowEntered(row, previousRow);
                   });
  // Rows scrolled or grown into view are drawn as they come.
  QObject::connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, table_,
                   [this] { drawInView(); });
  QObject::connect(table_->verticalScrollBar(), &QScrollBar::rangeChanged, table_,
                   [this] { drawInView(); });
  bar_ = new GridBar(*this, page);
  layout->addWidget(bar_);
  layout->addWidget(table_, 1);
  addWidget(page);
  applyProperties();
  table_->freeze(identifyingColumns(columns_));
  table_->setOwner(this);
  table_->setTypable([this](int column) {
    return grid_->enabled() && columns_[static_cast<std::size_t>(column)]->enabled();
  });
}

QTableWidget* GridView::table() const {
  return table_;
}

void GridView::buildLineForm() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  auto* bar = new QHBoxLayout;
  auto* previous = new QPushButton("Previous Line", page);
  auto* next = new QPushButton("Next Line", page);
  linePosition_ = new QLabel(page);
  QObject::connect(previous, &QPushButton::clicked, page, [this] { moveLine(-1); });
  QObject::connect(next, &QPushButton::clicked, page, [this] { moveLine(1); });
  bar->addWidget(previous);
  bar->addWidget(next);
  bar->addWidget(linePosition_);
  bar->addStretch();
  layout->addLayout(bar);
  auto* fields = new QFormLayout;
  for (forms::Control* column : columns_) {
    auto editor = makeFieldEditor(*session_, *column);
    if (!editor) continue;
    editor->setEntryListener([this](FieldEditor&, bool accepted) {
      if (accepted) modelChanged_();
    });
    fields->addRow(columnTitle(*column), editor->widget());
    lineEditors_.push_back(std::move(editor));
  }
  layout->addLayout(fields);
  layout->addStretch();
  // A line of many columns scrolls within the grid's room rather than stretching the window.
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidget(page);
  addWidget(scroll);
}

void GridView::applyProperties() {
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    const int col = static_cast<int>(c);
    const ColumnLook look = lookOf(*columns_[c]);
    table_->setHorizontalHeaderItem(col, new QTableWidgetItem(look.title));
    table_->setColumnHidden(col, !columns_[c]->visible());
    table_->setColumnWidth(col, look.width);
  }
  for (auto& editor : lineEditors_) editor->applyProperties();
  setEnabled(grid_->enabled());
  bar_->refresh();
}

// Headings measured in bold: the current column's heading is drawn so.
ColumnLook GridView::lookOf(const forms::Control& column) const {
  QFont heading = table_->horizontalHeader()->font();
  heading.setBold(true);
  return columnLook(*session_, column, table_->fontMetrics(), QFontMetrics(heading));
}

// Every column in view where the screen allows.
QSize GridView::sizeHint() const {
  // Line numbers up to five digits.
  int width = table_->verticalHeader()->fontMetrics().horizontalAdvance("99999") + 12 +
              2 * table_->frameWidth() + table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (const forms::Control* column : columns_)
    if (column->visible()) width += lookOf(*column).width;
  return {std::max(width, bar_->sizeHint().width()), widget(0)->sizeHint().height()};
}

QSize GridView::minimumSizeHint() const {
  return widget(0)->minimumSizeHint();
}

void GridView::toggleView() {
  if (!commit()) return;
  setCurrentIndex(showsTable() ? 1 : 0);
  if (showsTable()) {
    table_->setFocus();
    return;
  }
  for (auto& editor : lineEditors_) {
    if (editor->widget()->isEnabled()) {
      editor->widget()->setFocus();
      break;
    }
  }
}

bool GridView::addsLines() const {
  const auto& levels = session_->updates().levels();
  // A grid is bound through its columns: their level is the grid's.
  const int level = columns_.empty() ? grid_->level() : columns_.front()->level();
  if (!grid_->enabled() || level < 0 || level >= static_cast<int>(levels.size())) return false;
  // Screens that make their lines themselves switch the level's New button off.
  return session_->updates().buttonEnabled(forms::kButtonNew, level);
}

int GridView::rowCountShown() const {
  return static_cast<int>(session_->grids().lineCount(*grid_)) + (addsLines() ? 1 : 0);
}

std::string GridView::enteredText(const QTableWidgetItem& item,
                                  const forms::Control& column) const {
  if (column.cls() == forms::ControlClass::Check)
    return item.checkState() == Qt::Checked ? "1" : "0";
  const QString text = item.text().trimmed();
  if (column.cls() == forms::ControlClass::Date)
    return stdText(enteredDate(text, qDate(session_->businessDate())));
  if (column.cls() == forms::ControlClass::Combo) {
    for (const auto& entry : forms::parseList(column.property("list")))
      if (qText(entry.caption).compare(text, Qt::CaseInsensitive) == 0) return entry.value;
  }
  return stdText(text);
}

void GridView::rowEntered(int row, int previousRow) {
  if (row < 0) return;
  const bool existing = static_cast<std::size_t>(row) < session_->grids().lineCount(*grid_);
  const bool ok = guardedCall(*session_, [&] {
    return existing ? session_->grids().selectLine(*grid_, row)
                    : session_->grids().startNewLine(*grid_);
  });
  if (!ok) {
    filling_ = true;
    table_->setCurrentCell(previousRow, table_->currentColumn());
    filling_ = false;
    return;
  }
  modelChanged_();
}

void GridView::cellEdited(QTableWidgetItem* item) {
  const int row = item->row();
  const int col = item->column();
  enterCell(row, col, enteredText(*item, *columns_[static_cast<std::size_t>(col)]));
}

bool GridView::enterCell(int row, int col, const std::string& text) {
  forms::Control& column = *columns_[static_cast<std::size_t>(col)];
  const bool accepted = guardedCall(*session_, [&] {
    if (static_cast<std::size_t>(row) < session_->grids().lineCount(*grid_) &&
        session_->grids().currentLine(*grid_) != row && !session_->grids().selectLine(*grid_, row))
      return false;
    return session_->enterValue(column, text);
  });
  lastCellRefused_ = !accepted;
  if (accepted) {
    modelChanged_();
    return true;
  }
  filling_ = true;
  fillCell(row, col);
  filling_ = false;
  // The refused cell keeps the focus, open for a new value.
  QTimer::singleShot(0, table_, [this, row, col] {
    table_->setFocus();
    table_->setCurrentCell(row, col);
    if (auto* item = table_->item(row, col); item && (item->flags() & Qt::ItemIsEditable))
      table_->editItem(item);
  });
  return false;
}

// Amounts are keyed down a column, one line after another, as on an adding machine.
void GridView::enteredDown() {
  const int row = table_->currentRow();
  const int col = table_->currentColumn();
  if (lastCellRefused_ || col < 0 || row + 1 >= table_->rowCount()) return;
  if (columns_[static_cast<std::size_t>(col)]->cls() != forms::ControlClass::Float) return;
  table_->setCurrentCell(row + 1, col);
}

forms::Control* GridView::currentColumn() const {
  if (!showsTable()) {
    FieldEditor* editor = focusedLineEditor();
    return editor ? &editor->control() : nullptr;
  }
  const int col = table_->currentColumn();
  if (col < 0) return nullptr;
  return columns_[static_cast<std::size_t>(col)];
}

std::function<bool(const std::string&)> GridView::entryForCurrent() {
  if (!showsTable()) {
    FieldEditor* editor = focusedLineEditor();
    if (!editor) return {};
    return [editor](const std::string& value) { return editor->enterAsTyped(value); };
  }
  const int row = table_->currentRow();
  const int col = table_->currentColumn();
  if (row < 0 || col < 0) return {};
  return [this, row, col](const std::string& value) {
    filling_ = true;
    if (auto* item = table_->item(row, col)) item->setText(qText(value));
    filling_ = false;
    return enterCell(row, col, value);
  };
}

FieldEditor* GridView::focusedLineEditor() const {
  QWidget* focus = QApplication::focusWidget();
  for (const auto& editor : lineEditors_)
    if (focus && (focus == editor->widget() || editor->widget()->isAncestorOf(focus)))
      return editor.get();
  return nullptr;
}

bool GridView::commit() {
  if (!showsTable()) {
    FieldEditor* editor = focusedLineEditor();
    return !editor || editor->commit();
  }
  // A cell being edited has its editor, a child of the table, in focus.
  QWidget* focus = QApplication::focusWidget();
  if (!focus || focus == table_ || !table_->isAncestorOf(focus)) return true;
  // Taking the focus from the cell editor hands its text to the item, which enters it.
  lastCellRefused_ = false;
  table_->setFocus();
  return !lastCellRefused_;
}

void GridView::moveLine(int delta) {
  if (!commit()) return;
  const int target = session_->grids().currentLine(*grid_) + delta;
  const int lines = static_cast<int>(session_->grids().lineCount(*grid_));
  if (target < 0 || target > lines || (target == lines && !addsLines())) return;
  const bool ok = guardedCall(*session_, [&] {
    return target < lines ? session_->grids().selectLine(*grid_, target)
                          : session_->grids().startNewLine(*grid_);
  });
  if (ok) modelChanged_();
}

void GridView::deleteCurrentLine() {
  if (session_->grids().currentLine(*grid_) < 0) return;
  if (guardedCall(*session_, [&] { return session_->grids().deleteLine(*grid_); })) modelChanged_();
}

}  // namespace corvena::ui
