// Deleting a record with its lines, cancelling, starting a new record.
#include "platform/forms/messages.h"
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

class DeleteCancelTest : public OrderScreenTest {
 protected:
  void readOrderSeven() {
    addOrder("0000000007", "ACME", 70);
    addLine("0000000007", "A", 1);
    addLine("0000000007", "B", 2);
    addLine("0000000008", "A", 3);
    ASSERT_TRUE(s().set("cOrderNbr", "0000000007"));
    s().session.grids().gridLoad(s().c("Grid1"));
  }
};

TEST_F(DeleteCancelTest, DeleteRemovesTheRowAndItsLinesAndResetsTheScreen) {
  readOrderSeven();
  std::vector<std::string> events;
  s().c("Update1")
      .onDeleteRequested([&](int level) {
        events.push_back("Delete " + std::to_string(level));
        return 0;
      })
      .onLevelReset([&](int level) { events.push_back("Reset " + std::to_string(level)); });
  ASSERT_TRUE(s().session.updates().deleteLevel(0));
  EXPECT_EQ(events, (std::vector<std::string>{"Delete 1", "Delete 0", "Reset 0", "Reset 1"}));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
  EXPECT_EQ(query("SELECT OrderNbr FROM TLine"), "0000000008");
  EXPECT_TRUE(s().order.OrderNbr.blank());
  EXPECT_EQ(s().lines->size(), 0u);
}

TEST_F(DeleteCancelTest, RefusedDeleteKeepsEverything) {
  readOrderSeven();
  s().c("Update1").onDeleteRequested([&](int level) {
    s().session.database().run("DELETE FROM TLine").step();
    if (level != 0) return 0;
    s().session.messages().messageBox("Cannot delete a closed order", 0, "Orders");
    return kSilentRefusal;
  });
  EXPECT_FALSE(s().session.updates().deleteLevel(0));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "3");
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "1");
  EXPECT_EQ(s().order.OrderNbr.trimmed(), "0000000007");
  EXPECT_EQ(s().lines->size(), 2u);
  EXPECT_EQ(s().messages(), std::vector<std::string>{"Cannot delete a closed order"});
}

TEST_F(DeleteCancelTest, DeleteOfARowChangedElsewhereIsRefused) {
  readOrderSeven();
  {
    auto db = db::Database::open(dbPath());
    db->run("UPDATE TOrder SET Amount = 1, tstamp = tstamp + 1").step();
  }
  EXPECT_FALSE(s().session.updates().deleteLevel(0));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "1");
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "3");
}

TEST_F(DeleteCancelTest, DeleteAtTheGridLevelDeletesTheCurrentLineUntilSaved) {
  readOrderSeven();
  ASSERT_TRUE(s().session.grids().selectLine(s().c("Grid1"), 0));
  ASSERT_TRUE(s().session.updates().deleteLevel(1));
  EXPECT_EQ(s().lines->size(), 1u);
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "3");
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT LineRef FROM TLine WHERE OrderNbr = '0000000007'"), "B");
}

TEST_F(DeleteCancelTest, CancelBlanksTheScreenThenLetsTheScreenReread) {
  readOrderSeven();
  ASSERT_TRUE(s().set("cAmount", "12"));
  s().c("Update1").onCancelRequested([&] {
    EXPECT_TRUE(s().order.OrderNbr.blank());  // the framework reset first
    return s().session.cursors().fetchFirst(s().orderCursor, "SELECT * FROM TOrder", {s().order}) ==
                   0
               ? 0
               : 1;
  });
  ASSERT_TRUE(s().session.updates().cancel());
  EXPECT_EQ(s().show("cAmount"), "70.00");
  EXPECT_EQ(s().session.updates().levelChange(0), kLineUnchanged);
  EXPECT_EQ(query("SELECT Amount FROM TOrder"), "70.000000");
}

TEST_F(DeleteCancelTest, RefusedCancelKeepsTheEdits) {
  readOrderSeven();
  ASSERT_TRUE(s().set("cAmount", "12"));
  s().c("Update1").onCancelRequested([] { return kSilentRefusal; });
  EXPECT_FALSE(s().session.updates().cancel());
  EXPECT_EQ(s().show("cAmount"), "12.00");
  EXPECT_EQ(s().lines->size(), 2u);
}

TEST_F(DeleteCancelTest, NewRecordTakesDefaults) {
  readOrderSeven();
  ASSERT_TRUE(s().session.updates().newRecord(0));
  EXPECT_TRUE(s().order.OrderNbr.blank());
  EXPECT_EQ(s().show("cStatus"), "O");
  EXPECT_EQ(s().session.updates().levelChange(0), kLineInserted);
  EXPECT_EQ(s().lines->size(), 0u);
}

// Rights beyond the user's turn the buttons off; tried anyway, they are refused
// with the reason and write nothing.
TEST_F(DeleteCancelTest, SavesAndDeletesBeyondTheUsersRightsAreRefused) {
  addOrder("0000000007", "ACME", 70);
  struct Case {
    const char* rights;
    bool savesNew, savesChange, deletes;
  };
  int n = 0;
  for (const Case c : {Case{"V", false, false, false}, Case{"VI", true, false, false},
                       Case{"VUD", false, true, true}}) {
    SCOPED_TRACE(c.rights);
    OrderScreen screen(dbPath());
    SessionScope scope(screen.session);
    screen.session.updates().setRights(ScreenRights::fromLetters(c.rights));
    EXPECT_EQ(screen.session.updates().buttonEnabled(kButtonDelete, 0), c.deletes);
    const std::string added = "000000009" + std::to_string(++n);
    ASSERT_TRUE(screen.set("cOrderNbr", added));
    ASSERT_TRUE(screen.set("cCustId", "ACME"));
    EXPECT_EQ(screen.session.updates().save(), c.savesNew);
    EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder WHERE OrderNbr = '" + added + "'"),
              c.savesNew ? "1" : "0");
    ASSERT_TRUE(screen.session.updates().cancel());
    ASSERT_TRUE(screen.set("cOrderNbr", "0000000007"));
    ASSERT_TRUE(screen.set("cAmount", std::to_string(70 + n)));
    EXPECT_EQ(screen.session.updates().save(), c.savesChange);
    EXPECT_EQ(screen.session.updates().deleteLevel(0), c.deletes);
    if (!c.savesNew && !c.savesChange)
      EXPECT_EQ(screen.messages().front(), formatMessage(kMsgNoRights, {"save"}));
  }
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder WHERE OrderNbr = '0000000007'"), "0");
}

}  // namespace
}  // namespace corvena::forms::testing
