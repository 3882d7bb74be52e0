// Values typed at the desk go through the framework's entry path: Save writes
// the row, a refused value keeps the focus, Cancel shows the stored row.
#include <QAction>
#include <QApplication>
#include <QLineEdit>

#include "platform/forms/messages.h"
#include "screens/setup/gui/tests/desktop_fixture.h"

namespace corvena::qm18200::testing {
namespace {

using DesktopEntry = DesktopSetup;

TEST_F(DesktopEntry, TypingIntoTheFieldsAndPressingSaveWritesTheRow) {
  typeAndEnter("cWashAcct", "1010");
  typeAndEnter("cWashSub", "00-000-00");
  focus("cLastNABatNbr");
  qobject_cast<QLineEdit*>(widget("cLastNABatNbr"))->setText("000042");
  // Save enters the value still being typed first.
  window().action(ui::UpdateAction::Save)->trigger();
  settle();
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|000042"});
  EXPECT_TRUE(answererTexts().empty());
}

TEST_F(DesktopEntry, ARefusedValueKeepsTheFocusAndIsNotStored) {
  focus("cWashAcct");
  auto* edit = qobject_cast<QLineEdit*>(widget("cWashAcct"));
  edit->setText("9999");
  // Leaving the field enters the value; the framework refuses it.
  widget("cWashSub")->setFocus(Qt::TabFocusReason);
  settle();
  EXPECT_EQ(edit->window()->focusWidget(), edit);
  EXPECT_EQ(edit->text().toStdString(), "9999");
  ASSERT_EQ(answererTexts().size(), 1u);
  EXPECT_EQ(answererTexts()[0].rfind("9999", 0), 0u) << answererTexts()[0];
  EXPECT_EQ(screen_->session().displayText(control("cWashAcct")), "");
  window().action(ui::UpdateAction::Save)->trigger();
  settle();
  EXPECT_TRUE(setupRows().empty());
}

TEST_F(DesktopEntry, CancelShowsTheStoredValuesAgain) {
  typeAndEnter("cWashAcct", "1010");
  typeAndEnter("cWashSub", "00-000-00");
  typeAndEnter("cLastNABatNbr", "000001");
  window().action(ui::UpdateAction::Save)->trigger();
  typeAndEnter("cWashAcct", "1020");
  typeAndEnter("cLastNABatNbr", "000777");
  // Dropping the changes is the clerk's own Yes, not the question's default.
  answerer_->answerYes = true;
  window().action(ui::UpdateAction::Cancel)->trigger();
  settle();
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cWashAcct"))->text().toStdString(), "1010");
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cLastNABatNbr"))->text().toStdString(), "000001");
  EXPECT_EQ(setupRows(), std::vector<std::string>{"1010|00-000-00|000001"});
}

}  // namespace
}  // namespace corvena::qm18200::testing
