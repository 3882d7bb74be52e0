#pragma once
// A report a screen hands the clerk (an import's review): a table and its
// summary in a window of its own, beside the form, which stays in use; kept
// until closed or replaced by the next report.

#include <QDialog>

#include "platform/forms/ui.h"

class QLabel;
class QTableWidget;

namespace corvena::ui {

class ReportWindow : public QDialog {
 public:
  explicit ReportWindow(QWidget* parent = nullptr);

  void show(const forms::Report& report);
  QTableWidget* table() const { return table_; }
  QString summary() const;

 private:
  QLabel* summary_;
  QTableWidget* table_;
};

}  // namespace corvena::ui
