#include "platform/ui/report_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/ui/qt_text.h"

namespace corvena::ui {

ReportWindow::ReportWindow(QWidget* parent) : QDialog(parent) {
  setModal(false);
  setMinimumSize(720, 360);
  resize(1100, 480);
  summary_ = new QLabel(this);
  summary_->setWordWrap(true);
  table_ = new QTableWidget(this);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_);
  layout->addWidget(buttons);
}

void ReportWindow::show(const forms::Report& report) {
  setWindowTitle(qText(report.caption));
  summary_->setText(qText(report.summary));
  table_->clear();
  table_->setColumnCount(static_cast<int>(report.headings.size()));
  table_->setRowCount(static_cast<int>(report.rows.size()));
  QStringList headings;
  for (const auto& h : report.headings) headings << qText(h);
  table_->setHorizontalHeaderLabels(headings);
  for (int r = 0; r < table_->rowCount(); ++r) {
    const auto& row = report.rows[r];
    for (int c = 0; c < static_cast<int>(row.size()) && c < table_->columnCount(); ++c)
      table_->setItem(r, c, new QTableWidgetItem(qText(row[c])));
  }
  table_->resizeColumnsToContents();
  QDialog::show();
  raise();
}

QString ReportWindow::summary() const {
  return summary_->text();
}

}  // namespace corvena::ui
