#include "platform/ui/work_progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

namespace corvena::ui {

WorkProgress::~WorkProgress() {
  end();
}

void WorkProgress::step(QWidget* parent, const QString& what, std::size_t done, std::size_t total) {
  if (!dialog_) {
    dialog_ = new QProgressDialog(parent);
    dialog_->setObjectName("WorkProgress");
    dialog_->setWindowTitle("Please wait");
    // The work cannot be stopped half way: a half-entered batch helps nobody.
    dialog_->setCancelButton(nullptr);
    dialog_->setMinimumDuration(0);
    dialog_->setMinimumWidth(360);
    dialog_->setAttribute(Qt::WA_ShowWithoutActivating);
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  const int top = total > 0 ? static_cast<int>(total) : 0;
  if (dialog_->maximum() != top) dialog_->setRange(0, top);
  if (top > 0) dialog_->setValue(static_cast<int>(std::min(done, total)));
  dialog_->setLabelText(total > 0 ? QString("%1: %L2 of %L3").arg(what).arg(done).arg(total)
                                  : QString("%1: %L2 done").arg(what).arg(done));
  if (!dialog_->isVisible()) {
    // The clerk's field keeps the keys: what is typed there is entered as before.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    dialog_->show();
    if (focus) {
      focus->activateWindow();
      focus->setFocus(Qt::OtherFocusReason);
    }
  }
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QProgressDialog* WorkProgress::window() const {
  return dialog_.data();
}

void WorkProgress::end() {
  if (!dialog_) return;
  delete dialog_.data();
  QApplication::restoreOverrideCursor();
}

}  // namespace corvena::ui
