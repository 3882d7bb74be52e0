#include "screens/statement/statement_desk.h"

#include <QApplication>
#include <QFileDialog>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace corvena::statement {

namespace {

void setUp(QPrinter& printer, Paper paper) {
  printer.setPageSize(QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  printer.setDocName("Consolidated Statement");
}

}  // namespace

bool atDesk() {
  return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

std::string chooseSaveFile(const std::string& caption, const std::string& filter) {
  if (!atDesk()) return {};
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString::fromStdString(caption),
                                      QString(), QString::fromStdString(filter))
      .toStdString();
}

void previewStatements(const std::vector<Statement>& statements, Paper paper) {
  QPrinter printer(QPrinter::HighResolution);
  setUp(printer, paper);
  QPrintPreviewDialog preview(&printer, QApplication::activeWindow());
  preview.setWindowTitle("Consolidated Statement");
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&](QPrinter* target) { paintStatements(statements, *target); });
  preview.resize(1000, 800);
  preview.exec();
}

void printStatements(const std::vector<Statement>& statements, Paper paper) {
  QPrinter printer(QPrinter::HighResolution);
  setUp(printer, paper);
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  if (dialog.exec() == QDialog::Accepted) paintStatements(statements, printer);
}

}  // namespace corvena::statement
