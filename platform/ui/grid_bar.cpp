#include "platform/ui/grid_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTableWidget>
#include <functional>

#include "platform/ui/grid_print.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/modal_exec.h"

namespace corvena::ui {

namespace {

QPushButton* smallButton(const QString& text, const QString& tip, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

// A key of the grid's, wherever the focus is within it.
void onKey(QWidget& grid, const QKeySequence& key, std::function<void()> work) {
  auto* shortcut = new QShortcut(key, &grid, std::move(work));
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);
}

}  // namespace

GridBar::GridBar(GridView& grid, QWidget* parent) : QWidget(parent), grid_(&grid) {
  setObjectName("gridBar");
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  addFind(*row);
  if (!grid.amountColumns().empty()) addAmounts(*row);
  row->addStretch();
  addOutput(*row);
}

void GridBar::addFind(QHBoxLayout& row) {
  find_ = new QLineEdit(this);
  find_->setObjectName("findLine");
  find_->setPlaceholderText("Text in a line (Ctrl+F)");
  find_->setClearButtonEnabled(true);
  // The hint reads in full; room beside it for the clear button.
  find_->setMinimumWidth(find_->fontMetrics().horizontalAdvance(find_->placeholderText()) + 40);
  auto* label = new QLabel("&Find:", this);
  label->setBuddy(find_);
  connect(find_, &QLineEdit::returnPressed, this, [this] { findNext(); });
  find_->installEventFilter(this);
  onKey(*grid_, QKeySequence::Find, [this] {
    find_->setFocus(Qt::ShortcutFocusReason);
    find_->selectAll();
  });
  row.addWidget(label);
  row.addWidget(find_);
}

bool GridBar::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  if (watched != find_ || !key || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
    return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    find_->clear();
    grid_->table()->setFocus(Qt::ShortcutFocusReason);
  }
  event->accept();
  return true;
}

void GridBar::addAmounts(QHBoxLayout& row) {
  const QString amounts = grid_->amountsWord("and");
  amountsOnly_ = new QCheckBox("Only lines with " + grid_->amountsWord("or"), this);
  amountsOnly_->setObjectName("amountsOnly");
  connect(amountsOnly_, &QCheckBox::toggled, this, [this](bool on) { grid_->setAmountsOnly(on); });
  clear_ = smallButton("Clear " + amounts + "...",
                       "Enters 0 in every line's " + amounts + ", after asking", this);
  clear_->setObjectName("clearAmounts");
  connect(clear_, &QPushButton::clicked, this, [this] { clearAmounts(); });
  row.addWidget(amountsOnly_);
  row.addWidget(clear_);
}

void GridBar::addOutput(QHBoxLayout& row) {
  auto* exportButton =
      smallButton("Export...", "The lines shown, to a CSV file (Ctrl+Shift+E)", this);
  auto* printButton =
      smallButton("Print...", "The lines shown under the header, previewed first (Ctrl+P)", this);
  connect(exportButton, &QPushButton::clicked, this, [this] { exportLines(); });
  connect(printButton, &QPushButton::clicked, this, [this] { printLines(); });
  onKey(*grid_, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] { exportLines(); });
  onKey(*grid_, QKeySequence::Print, [this] { printLines(); });
  row.addWidget(exportButton);
  row.addWidget(printButton);
}

void GridBar::refresh() {
  if (clear_) clear_->setEnabled(grid_->grid().enabled() && !grid_->amountColumns().empty());
}

void GridBar::tell(const QString& text) {
  if (auto* main = qobject_cast<QMainWindow*>(window())) main->statusBar()->showMessage(text);
}

void GridBar::findNext() {
  const QString text = find_->text().trimmed();
  if (text.isEmpty()) return;
  if (grid_->findNext(text)) {
    grid_->table()->setFocus(Qt::OtherFocusReason);
    tell("Line " + QString::number(grid_->table()->currentRow() + 1) + " has \"" + text + "\"");
    return;
  }
  QApplication::beep();
  tell("No line shown has \"" + text + "\"");
}

void GridBar::clearAmounts() {
  const int cleared = grid_->clearAmounts();
  if (cleared > 0)
    tell(QString("%1 cleared on %L2 line(s)").arg(grid_->amountsWord("and")).arg(cleared));
}

void GridBar::exportLines() {
  QString path =
      QFileDialog::getSaveFileName(window(), "Export Lines", QString(), "CSV files (*.csv)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".csv";
  QString why;
  tell(writeCsv(*grid_, path, why) ? "Lines exported to " + path : why);
}

void GridBar::printLines() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  QPrintPreviewDialog preview(&printer, window());
  preview.setWindowTitle("Print Preview - " + window()->windowTitle());
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* target) { printEditList(*grid_, *target); });
  execModal(preview);
}

}  // namespace corvena::ui
