// Values reach the form model through the framework's entry path when the
// user presses Enter or leaves the field; a refused value keeps the focus.
// Dates are typed as clerks write them; the wheel only turns the field the
// clerk is in; the window keeps the keys across its dialogs.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

#include "platform/ui/field_editors.h"

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Entry = RenderTest;

TEST_F(Entry, EnterStoresTheTypedValueAndShowsItFormatted) {
  auto* weight = qobject_cast<QLineEdit*>(widget("cWeight"));
  weight->setFocus();
  weight->setText("12.5");
  press(Qt::Key_Return);
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

class DateEntry : public RenderTest {
 protected:
  DateEntry() { session_->setBusinessDate(Date{2026, 12, 6}); }
  QLineEdit* shipDate() {
    return dynamic_cast<DateEditor*>(view().editorFor(&control("cShipDate")))->lineEdit();
  }
  // Types into the blank ship date and leaves it with one Tab.
  void typeShipDate(const QString& typed) {
    shipDate()->setFocus();
    shipDate()->clear();
    type(typed);
    press(Qt::Key_Tab);
  }
};

TEST_F(DateEntry, ADateTypedInAnyOfTheClerksFormsIsEnteredWithOneTab) {
  for (const char* typed : {"2026-12-07", "12/07/2026", "120726", "12072026", "12/7/26"}) {
    typeShipDate(typed);
    EXPECT_EQ(delivery_.ShipDate, (Date{2026, 12, 7})) << typed;
    EXPECT_EQ(shipDate()->text(), "2026-12-07") << typed;
    EXPECT_NE(QApplication::focusWidget(), shipDate()) << typed;
  }
}

TEST_F(DateEntry, TIsTheBusinessDateAndPlusOrMinusMoveADay) {
  typeShipDate("t++-+");
  EXPECT_EQ(delivery_.ShipDate, (Date{2026, 12, 8}));
  typeShipDate("-");
  EXPECT_EQ(delivery_.ShipDate, (Date{2026, 12, 5}));
}

TEST_F(DateEntry, WhatIsNoDateIsRefusedAndKeepsTheFocus) {
  typeShipDate("13/45/2026");
  EXPECT_EQ(QApplication::focusWidget(), shipDate());
  EXPECT_EQ(answerer_->texts.size(), 1u);
  EXPECT_TRUE(delivery_.ShipDate.isBlank());
}

TEST_F(DateEntry, TheCalendarOpensAtTheBusinessDateAndEntersTheDayChosen) {
  auto* editor = dynamic_cast<DateEditor*>(view().editorFor(&control("cShipDate")));
  editor->calendarButton()->click();
  ASSERT_NE(editor->calendar(), nullptr);
  EXPECT_EQ(editor->calendar()->selectedDate(), QDate(2026, 12, 6));
  emit editor->calendar()->activated(QDate(2026, 12, 24));
  settle();
  EXPECT_EQ(delivery_.ShipDate, (Date{2026, 12, 24}));
}

TEST_F(Entry, TheWheelTurnsAComboOnlyWhenTheClerkIsInIt) {
  auto* combo = qobject_cast<QComboBox*>(widget("cStatus"));
  const auto notch = [combo] {
    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    settle();
  };
  widget("cWeight")->setFocus();
  notch();
  EXPECT_EQ(combo->currentText(), "Open");
  EXPECT_EQ(delivery_.Status.trimmed(), "O");
  combo->setFocus();
  notch();
  EXPECT_EQ(delivery_.Status.trimmed(), "S");
}

TEST_F(Entry, TheWindowTakesTheKeysWhenItOpensAndAfterEveryDialog) {
  EXPECT_EQ(QApplication::focusWidget(), widget("cDelivNbr"));
  widget("cWeight")->setFocus();
  session_->ui().messageBox("Printed.", 64, "Delivery");
  settle();
  EXPECT_EQ(answerer_->texts.size(), 1u);
  EXPECT_EQ(QApplication::activeWindow(), &window());
  EXPECT_EQ(QApplication::focusWidget(), widget("cWeight"));
}

}  // namespace
}  // namespace corvena::ui::testing
