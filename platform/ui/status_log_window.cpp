#include "platform/ui/status_log_window.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/forms/ui.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

StatusLogWindow::StatusLogWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Process Status");
  setMinimumSize(560, 320);
  log_ = new QPlainTextEdit(this);
  log_->setReadOnly(true);
  auto* buttons = new QDialogButtonBox(this);
  close_ = buttons->addButton(QDialogButtonBox::Close);
  connect(close_, &QPushButton::clicked, this, &QDialog::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(log_);
  layout->addWidget(buttons);
}

void StatusLogWindow::open(std::string_view title) {
  log_->clear();
  errorLines_ = 0;
  running_ = true;
  close_->setEnabled(false);
  if (!title.empty()) setWindowTitle(qText(title));
  show();
  raise();
  QApplication::processEvents();
}

void StatusLogWindow::write(std::string_view text, int mode) {
  const QString line = qText(text).toHtmlEscaped();
  if (mode == forms::kStatusError) {
    ++errorLines_;
    log_->appendHtml("<span style=\"color:#b00000;font-weight:bold\">" + line + "</span>");
  } else {
    log_->appendHtml(line);
  }
  if (!isVisible()) show();
  // The process runs on this thread: let the window draw each line as it comes.
  QApplication::processEvents();
}

void StatusLogWindow::finish() {
  running_ = false;
  close_->setEnabled(true);
  close_->setFocus();
}

QString StatusLogWindow::logText() const {
  return log_->toPlainText();
}

void StatusLogWindow::reject() {
  // The log of a running process stays on screen; Escape closes only a finished one.
  if (!running_) QDialog::reject();
}

}  // namespace corvena::ui
