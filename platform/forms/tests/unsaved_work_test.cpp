// What the clerk has on the screen: opened on a new record, never dropped or
// deleted at a desk without a word, never saved when nothing was entered, and
// refused by the database in the clerk's own terms.
#include <functional>

#include "platform/forms/messages.h"
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

class UnsavedWorkTest : public OrderScreenTest {
 protected:
  void readOrderFive() {
    if (query("SELECT COUNT(*) FROM TOrder WHERE OrderNbr = '0000000005'") == "0") {
      addOrder("0000000005", "ACME", 50);
      addLine("0000000005", "A", 1);
    }
    ASSERT_TRUE(s().set("cOrderNbr", "0000000005"));
    s().session.grids().gridLoad(s().c("Grid1"));
    ASSERT_TRUE(s().session.grids().selectLine(s().c("Grid1"), 0));
  }
  std::string stored() { return query("SELECT Amount FROM TOrder WHERE OrderNbr = '0000000005'"); }
};

struct DeskAction {
  const char* name;
  std::function<bool(Session&)> act;
  int question;
};

// Each action at a desk asks first; No (or Cancel) leaves the screen and the
// database as they were. A script is never asked: it says what it means.
TEST_F(UnsavedWorkTest, EveryDroppingOrDeletingActionAsksAtADeskAndNeverInAScript) {
  addOrder("0000000009", "BOLT", 90);
  const DeskAction actions[] = {
      {"new", [](Session& s) { return s.updates().newRecord(0); }, kMsgSaveFirst},
      {"cancel", [](Session& s) { return s.updates().cancel(); }, kMsgConfirmCancel},
      {"next", [](Session& s) { return s.updates().navigate(0, Navigation::Next); }, kMsgSaveFirst},
      {"delete line", [](Session& s) { return s.updates().deleteLevel(1); }, kMsgConfirmDeleteLine},
      {"delete", [](Session& s) { return s.updates().deleteLevel(0); }, kMsgConfirmDelete},
  };
  for (const auto& a : actions) {
    SCOPED_TRACE(a.name);
    readOrderFive();
    ASSERT_TRUE(s().set("cAmount", "7"));
    s().ui->setAsksBeforeDropping(true);
    s().ui->queueAnswer(a.question == kMsgSaveFirst ? kAnswerCancel : kAnswerNo);
    const auto before = s().ui->messages().size();
    EXPECT_FALSE(a.act(s().session));
    ASSERT_EQ(s().ui->messages().size(), before + 1);
    EXPECT_EQ(s().ui->messages().back().style, messageStyle(a.question));
    EXPECT_EQ(s().show("cAmount"), "7.00");
    EXPECT_EQ(s().lines->size(), 1u);
    s().ui->setAsksBeforeDropping(false);
    EXPECT_TRUE(a.act(s().session));
    EXPECT_EQ(s().ui->messages().size(), before + 1);
    EXPECT_EQ(stored(), a.question == kMsgConfirmDelete ? "" : "50.000000");
    s().session.updates().cancel();
  }
}

TEST_F(UnsavedWorkTest, YesSavesBeforeMovingAndARefusedSaveStays) {
  addOrder("0000000009", "BOLT", 90);
  readOrderFive();
  s().ui->setAsksBeforeDropping(true);
  ASSERT_TRUE(s().set("cAmount", "9"));
  s().ui->queueAnswer(kAnswerYes);
  ASSERT_TRUE(s().session.updates().navigate(0, Navigation::Next));
  EXPECT_EQ(stored(), "9.000000");
  ASSERT_TRUE(s().session.updates().navigate(0, Navigation::First));
  ASSERT_TRUE(s().set("cAmount", "8"));
  s().c("Update1").onSaveLevel([](int) { return kSilentRefusal; });
  s().ui->queueAnswer(kAnswerYes);
  EXPECT_FALSE(s().session.updates().navigate(0, Navigation::Next));
  EXPECT_EQ(s().order.OrderNbr.trimmed(), "0000000005");
  EXPECT_EQ(s().show("cAmount"), "8.00");
}

// A screen that cannot save what it shows (Save turned off, as an inquiry
// does, or no right to save) lets it go without a question only No could answer.
TEST_F(UnsavedWorkTest, WhatCannotBeSavedIsLetGoWithoutAsking) {
  addOrder("0000000009", "BOLT", 90);
  for (const bool turnedOff : {true, false}) {
    readOrderFive();
    ASSERT_TRUE(s().set("cAmount", "7"));
    if (turnedOff) s().session.updates().setButtons(kButtonSave, kAllLevels, 0);
    if (!turnedOff) s().session.updates().setRights(ScreenRights::fromLetters("V"));
    s().ui->setAsksBeforeDropping(true);
    const auto before = s().ui->messages().size();
    EXPECT_TRUE(s().session.updates().settleUnsaved("closing"));
    EXPECT_TRUE(s().session.updates().navigate(0, Navigation::Next));
    EXPECT_EQ(s().ui->messages().size(), before);
    EXPECT_EQ(stored(), "50.000000");
    s().ui->setAsksBeforeDropping(false);
    s().session.updates().setButtons(kButtonSave, kAllLevels, -1);
    s().session.updates().setRights(ScreenRights{});
  }
}

TEST_F(UnsavedWorkTest, ScreenOpensOnANewRecordWithItsDefaults) {
  bool loaded = false;
  s().session.mainForm().onLoad([&] { loaded = true; });
  s().session.raiseLoad(s().session.mainForm());
  EXPECT_TRUE(loaded);
  EXPECT_EQ(s().session.updates().levelChange(0), kLineInserted);
  EXPECT_EQ(s().show("cStatus"), "O");
  EXPECT_EQ(s().show("cOrderDate"), "2025-03-14");
}

TEST_F(UnsavedWorkTest, ASaveWithNothingEnteredWritesNothingAndSaysSo) {
  s().session.updates().newRecord(0);
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(s().messages().back(), messageText(kMsgNothingToSave));
  readOrderFive();
  ASSERT_TRUE(s().session.updates().deleteLevel(0));
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
}

TEST_F(UnsavedWorkTest, RequiredFieldsOfALevelNotChangedAreCheckedToo) {
  addOrder("0000000005", "", 50);
  ASSERT_TRUE(s().set("cOrderNbr", "0000000005"));
  ASSERT_TRUE(s().session.grids().startNewLine(s().c("Grid1")));
  ASSERT_TRUE(s().set("cLineRef", "Z"));
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgFieldRequired, {"Customer"}));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "0");
}

TEST_F(UnsavedWorkTest, ADuplicateKeyIsNamedByTheFieldAndValue) {
  addLine("0000000001", "B", 1);  // an orphan line the new B collides with
  ASSERT_TRUE(s().set("cOrderNbr", "0000000001"));
  ASSERT_TRUE(s().set("cCustId", "ACME"));
  for (const char* ref : {"A", "B"}) {
    ASSERT_TRUE(s().session.grids().startNewLine(s().c("Grid1")));
    ASSERT_TRUE(s().set("cLineRef", ref));
  }
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgDuplicateValue, {"Line B"}));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
  EXPECT_EQ(s().lines->size(), 2u);
}

TEST_F(UnsavedWorkTest, GridButtonsSwitchedOffStopNewAndDeletedLines) {
  readOrderFive();
  s().session.updates().setButtons(kButtonNew | kButtonDelete, 1, 0);
  EXPECT_FALSE(s().session.grids().startNewLine(s().c("Grid1")));
  EXPECT_FALSE(s().session.updates().deleteLevel(1));
  EXPECT_FALSE(s().session.grids().deleteLine(s().c("Grid1")));
  EXPECT_EQ(s().lines->size(), 1u);
  EXPECT_TRUE(s().session.updates().buttonEnabled(kButtonDelete, 0));
}

TEST_F(UnsavedWorkTest, ARefusedEntryPutsBackWhatItsHandlerShowed) {
  Control& title = s().c("lTitle");
  s().c("cCustId").onValueCheck([&](std::string& typed) {
    s().session.setProperty(title, "caption", "Customer " + typed);
    return 0;
  });
  EXPECT_FALSE(s().set("cCustId", "NOBODY"));  // not in the list
  EXPECT_EQ(title.property("caption"), "Orders");
  EXPECT_TRUE(s().set("cCustId", "ACME"));
  EXPECT_EQ(title.property("caption"), "Customer ACME");
}

}  // namespace
}  // namespace corvena::forms::testing
