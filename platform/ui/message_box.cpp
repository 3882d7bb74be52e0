#include "platform/ui/message_box.h"

#include <vector>

#include "platform/ui/modal_exec.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

using Button = QMessageBox::StandardButton;

QMessageBox::StandardButtons buttonsFor(int style) {
  switch (style & 0x0F) {
    case 1:
      return Button::Ok | Button::Cancel;
    case 2:
      return Button::Abort | Button::Retry | Button::Ignore;
    case 3:
      return Button::Yes | Button::No | Button::Cancel;
    case 4:
      return Button::Yes | Button::No;
    case 5:
      return Button::Retry | Button::Cancel;
    default:
      return Button::Ok;
  }
}

QMessageBox::Icon iconFor(int style) {
  switch (style & 0x70) {
    case 16:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case 64:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// Bits 256 and 512 make the second or third button the default.
QMessageBox::StandardButton defaultFor(int style, QMessageBox::StandardButtons buttons) {
  std::vector<Button> order;
  for (Button b : {Button::Ok, Button::Yes, Button::No, Button::Abort, Button::Retry,
                   Button::Ignore, Button::Cancel})
    if (buttons.testFlag(b)) order.push_back(b);
  const std::size_t wanted = (style & 0x300) >> 8;
  return order.at(wanted < order.size() ? wanted : 0);
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text, int style,
                                            std::string_view caption, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(qText(caption));
  box->setText(qText(text));
  box->setIcon(iconFor(style));
  const auto buttons = buttonsFor(style);
  box->setStandardButtons(buttons);
  box->setDefaultButton(defaultFor(style, buttons));
  return box;
}

int hostAnswer(QMessageBox::StandardButton button) {
  switch (button) {
    case Button::Cancel:
      return 2;
    case Button::Abort:
      return 3;
    case Button::Retry:
      return 4;
    case Button::Ignore:
      return 5;
    case Button::Yes:
      return 6;
    case Button::No:
      return 7;
    default:
      return 1;
  }
}

int showMessageBox(std::string_view text, int style, std::string_view caption, QWidget* parent) {
  auto box = makeMessageBox(text, style, caption, parent);
  execModal(*box);
  const auto clicked = box->standardButton(box->clickedButton());
  // Closing the window answers as its escape button would: No or Cancel where offered.
  if (clicked == Button::NoButton) return hostAnswer(box->standardButton(box->escapeButton()));
  return hostAnswer(clicked);
}

}  // namespace corvena::ui
