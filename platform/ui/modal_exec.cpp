#include "platform/ui/modal_exec.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace corvena::ui {

int execModal(QDialog& dialog) {
  QPointer<QWidget> focus = QApplication::focusWidget();
  QPointer<QWidget> window = focus ? focus->window() : dialog.parentWidget();
  const int result = dialog.exec();
  if (window) {
    window->activateWindow();
    window->raise();
  }
  if (focus && focus->isVisible() && focus->isEnabled()) focus->setFocus(Qt::OtherFocusReason);
  return result;
}

}  // namespace corvena::ui
