#include "platform/ui/tests/message_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace corvena::ui::testing {

MessageAnswerer::MessageAnswerer() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    texts.push_back(box->text().toStdString());
    if (auto* yes = box->button(QMessageBox::Yes); yes && answerYes) {
      yes->click();
    } else if (auto* button = box->defaultButton()) {
      button->click();
    } else {
      box->reject();
    }
  });
  timer_.start();
}

}  // namespace corvena::ui::testing
