#include "screens/setup/gui/tests/desktop_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "platform/ui/gui.h"
#include "platform/ui/qt_ui.h"

namespace corvena::qm18200::testing {

void DesktopSetup::SetUp() {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  SetupScreen::SetUp();
  static int argc = 1;
  static char name[] = "QM18200";
  static char* argv[] = {name, nullptr};
  auto desk = ui::createGuiUi(argc, argv);
  answerer_ = std::make_unique<ui::testing::MessageAnswerer>();
  screen_ = std::make_unique<screens::testing::ScreenUnderTest>(
      definition(), signedOn(), host::defaultHostServices(), std::move(desk));
  ASSERT_FALSE(screen_->ended()) << screen_->output();
  auto& renderer = dynamic_cast<ui::QtUi&>(screen_->session().ui());
  window_ = &renderer.window(screen_->session().mainForm());
  window_->show();
  window_->activateWindow();
  QApplication::setActiveWindow(window_);
  settle();
}

void DesktopSetup::TearDown() {
  answerer_.reset();
  screen_.reset();
}

forms::Control& DesktopSetup::control(const std::string& name) {
  return screen_->control(name);
}

QWidget* DesktopSetup::widget(const std::string& name) {
  return view().widgetFor(&control(name));
}

void DesktopSetup::settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void DesktopSetup::focus(const std::string& name) {
  widget(name)->setFocus(Qt::TabFocusReason);
  settle();
}

void DesktopSetup::typeAndEnter(const std::string& name, const std::string& text) {
  focus(name);
  auto* edit = qobject_cast<QLineEdit*>(widget(name));
  ASSERT_NE(edit, nullptr) << name;
  edit->setText(QString::fromStdString(text));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(edit, &press);
  settle();
}

}  // namespace corvena::qm18200::testing
