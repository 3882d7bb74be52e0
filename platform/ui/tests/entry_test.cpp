// Values reach the form model through the framework's entry path when the
// user presses Enter or leaves the field; a refused value keeps the focus.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Entry = RenderTest;

void pressEnter(QWidget* widget) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

TEST_F(Entry, EnterStoresTheTypedValueAndShowsItFormatted) {
  auto* weight = qobject_cast<QLineEdit*>(widget("cWeight"));
  weight->setFocus();
  weight->setText("12.5");
  pressEnter(weight);
  settle();
  EXPECT_DOUBLE_EQ(delivery_.Weight, 12.5);
  EXPECT_EQ(weight->text(), "12.50");
}

TEST_F(Entry, LeavingTheFieldEntersTheValue) {
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("slowboat");
  widget("cWeight")->setFocus(Qt::TabFocusReason);
  settle();
  EXPECT_EQ(delivery_.Carrier.trimmed(), "SLOWBOAT");
  EXPECT_EQ(carrier->text(), "SLOWBOAT");
  EXPECT_TRUE(answerer_->texts.empty());
}

TEST_F(Entry, ARefusedValueKeepsTheFocusAndTheTypedText) {
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("NOPE");
  widget("cWeight")->setFocus(Qt::TabFocusReason);
  settle();
  EXPECT_EQ(carrier->window()->focusWidget(), carrier);
  EXPECT_EQ(carrier->text(), "NOPE");
  EXPECT_TRUE(delivery_.Carrier.blank());
  ASSERT_EQ(answerer_->texts.size(), 1u);
  EXPECT_EQ(answerer_->texts[0].rfind("NOPE", 0), 0u) << answerer_->texts[0];
}

TEST_F(Entry, AnUnchangedFieldIsNotEnteredWhenLeft) {
  // The blank carrier is refused when entered; passing through it is not entering it.
  widget("cCarrier")->setFocus();
  settle();
  widget("cWeight")->setFocus(Qt::TabFocusReason);
  settle();
  EXPECT_TRUE(answerer_->texts.empty());
  EXPECT_EQ(QApplication::focusWidget(), widget("cWeight"));
}

TEST_F(Entry, PickingAComboItemEntersItsValue) {
  auto* combo = qobject_cast<QComboBox*>(widget("cStatus"));
  combo->setCurrentIndex(1);
  emit combo->activated(1);
  settle();
  EXPECT_EQ(delivery_.Status.trimmed(), "S");
  EXPECT_EQ(combo->currentText(), "Shipped");
}

TEST_F(Entry, ClickingACheckBoxTicksTheField) {
  auto* check = qobject_cast<QCheckBox*>(widget("cInsured"));
  check->click();
  settle();
  EXPECT_EQ(delivery_.Insured, 1);
  EXPECT_TRUE(check->isChecked());
}

}  // namespace
}  // namespace corvena::ui::testing
