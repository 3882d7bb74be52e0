#include "platform/ui/entry_keys.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace corvena::ui {

EntryKeys::EntryKeys(QObject* watched, std::function<void()> enter)
    : QObject(watched), enter_(std::move(enter)) {
  watched->installEventFilter(this);
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && enter_) {
      enter_();
      return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    // A popup (calendar, menu) or another window taking over is not leaving the field.
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && enter_) enter_();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace corvena::ui
