// The update control as a toolbar: Save enters what is being typed and saves
// (the status line says so), SetButton switches buttons off and on.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "platform/forms/messages.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

class UpdateToolbar : public RenderTest {
 protected:
  // A delivery typed field by field, the last one not yet entered.
  void typeDelivery(const char* number) {
    for (const auto& [name, text] : {std::pair{"cDelivNbr", number}, {"cCarrier", "FASTSHIP"}}) {
      auto* edit = qobject_cast<QLineEdit*>(widget(name));
      edit->setFocus();
      settle();
      edit->setText(text);
    }
  }
};

TEST_F(UpdateToolbar, SaveEntersTheFieldBeingTypedAndWritesTheRecord) {
  typeDelivery("00000007");
  window().action(UpdateAction::Save)->trigger();
  settle();
  EXPECT_EQ(query("SELECT DelivNbr || '/' || Carrier FROM UDelivery"), "00000007/FASTSHIP");
  EXPECT_EQ(window().statusLine()->currentMessage(), "Delivery 00000007 saved");
}

// What the save's own work logged last (a release: the batch it went into) follows.
TEST_F(UpdateToolbar, TheStatusLineAddsWhatTheSaveLoggedLast) {
  control("Update1").onSaveCompleted([this](int, int) {
    session_->messages().status(forms::kStatusWrite, 0, "Handed to the carrier.",
                                forms::kStatusProgress);
  });
  typeDelivery("00000008");
  window().action(UpdateAction::Save)->trigger();
  settle();
  EXPECT_EQ(window().statusLine()->currentMessage(),
            "Delivery 00000008 saved. Handed to the carrier.");
}

TEST_F(UpdateToolbar, TheStatusLineShowsTheKeysOfLookUpsAndLines) {
  auto* hints = window().findChild<QLabel*>("keyHints");
  ASSERT_NE(hints, nullptr);
  EXPECT_TRUE(hints->isVisible());
  EXPECT_EQ(hints->text(), "F3 Possible Values    F4 Grid/Line Form    Ctrl+Del Delete Line");
}

TEST_F(UpdateToolbar, ARefusedFieldStopsTheSave) {
  auto* number = qobject_cast<QLineEdit*>(widget("cDelivNbr"));
  number->setFocus();
  settle();
  number->setText("00000008");
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("NOPE");
  EXPECT_FALSE(window().run(UpdateAction::Save));
  settle();
  EXPECT_EQ(query("SELECT COUNT(*) FROM UDelivery"), "0");
}

// "Nothing saved" belongs to the save refused, not to the entry that follows.
TEST_F(UpdateToolbar, TheStatusLineLetsGoOfTheLastActionOnTheNextEntry) {
  window().run(UpdateAction::Save);
  settle();
  ASSERT_TRUE(window().statusLine()->currentMessage().startsWith("Nothing saved"));
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("FASTSHIP");
  press(Qt::Key_Return);
  EXPECT_EQ(window().statusLine()->currentMessage(), "");
}

TEST_F(UpdateToolbar, SetButtonSwitchesTheToolbarButtons) {
  session_->updates().setButtons(forms::kButtonSave | forms::kButtonDelete, forms::kAllLevels, 0);
  EXPECT_FALSE(window().action(UpdateAction::Save)->isEnabled());
  EXPECT_FALSE(window().action(UpdateAction::Delete)->isEnabled());
  EXPECT_TRUE(window().action(UpdateAction::New)->isEnabled());
  session_->updates().setButtons(forms::kButtonSave, forms::kAllLevels, -1);
  EXPECT_TRUE(window().action(UpdateAction::Save)->isEnabled());
}

TEST_F(UpdateToolbar, CancelDropsWhatIsTyped) {
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("NOPE");
  window().action(UpdateAction::Cancel)->trigger();
  settle();
  EXPECT_EQ(carrier->text(), "");
  EXPECT_TRUE(answerer_->texts.empty());
}

// Closing asks before what was typed is lost; its default answer saves it.
TEST_F(UpdateToolbar, ClosingWithWorkNotSavedAsksAndSavesIt) {
  typeDelivery("00000009");
  window().action(UpdateAction::Close)->trigger();
  settle();
  ASSERT_EQ(answerer_->texts.size(), 1u);
  EXPECT_EQ(answerer_->texts[0], forms::formatMessage(forms::kMsgSaveFirst, {"closing"}));
  EXPECT_EQ(query("SELECT COUNT(*) FROM UDelivery WHERE DelivNbr = '00000009'"), "1");
}

TEST_F(UpdateToolbar, NewStartsInTheFirstField) {
  widget("cCarrier")->setFocus();
  settle();
  window().action(UpdateAction::New)->trigger();
  settle();
  EXPECT_TRUE(widget("cDelivNbr")->hasFocus());
}

}  // namespace
}  // namespace corvena::ui::testing
