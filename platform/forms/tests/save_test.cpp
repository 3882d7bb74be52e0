// Saving: event order, one transaction for all levels, refusals and database
// errors writing nothing, the check against another clerk's change.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "platform/forms/messages.h"
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

class SaveTest : public OrderScreenTest {
 protected:
  // A new order 0000000001 for ACME with two lines, A 10 and B 20.
  void enterOrderWithTwoLines() {
    ASSERT_TRUE(s().set("cOrderNbr", "0000000001"));
    ASSERT_TRUE(s().set("cCustId", "ACME"));
    ASSERT_TRUE(s().set("cAmount", "30"));
    enterLine("A", "10");
    enterLine("B", "20");
  }
  void enterLine(const std::string& ref, const std::string& amt) {
    ASSERT_TRUE(s().session.grids().startNewLine(s().c("Grid1")));
    ASSERT_TRUE(s().set("cLineRef", ref));
    ASSERT_TRUE(s().set("cAmt", amt));
  }
};

TEST_F(SaveTest, LevelsAreRaisedInOrderThenWholeSaveThenCompletion) {
  std::vector<std::string> events;
  s().c("Update1")
      .onSaveLevel([&](int level) {
        events.push_back("SaveLevel " + std::to_string(level));
        return 0;
      })
      .onSaveCompleted(
          [&](int first, int) { events.push_back("SaveCompleted " + std::to_string(first)); });
  enterOrderWithTwoLines();
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(events, (std::vector<std::string>{"SaveLevel 0", "SaveLevel 1", "SaveLevel 32000",
                                              "SaveCompleted 0"}));
  EXPECT_EQ(query("SELECT CustId FROM TOrder WHERE OrderNbr = '0000000001'"), "ACME");
  EXPECT_EQ(query("SELECT LineRef FROM TLine ORDER BY LineRef"), "A,B");
  EXPECT_EQ(s().session.updates().levelChange(0), kLineUnchanged);
  s().session.grids().lineArrayOf(s().c("Grid1"))->first();
  EXPECT_EQ(s().lines->state(), kLineUnchanged);
}

TEST_F(SaveTest, HandlerWritesInsideTheSameTransaction) {
  s().c("Update1").onSaveLevel([&](int level) {
    if (level == 32000) s().session.database().run("INSERT INTO TCust VALUES ('AUDIT')").step();
    return level == 32000 ? kSilentRefusal : 0;
  });
  enterOrderWithTwoLines();
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(query("SELECT COUNT(*) FROM TCust WHERE CustId = 'AUDIT'"), "0");
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "0");
}

TEST_F(SaveTest, RefusalAtALevelWritesNothingAndRestoresTheScreen) {
  s().c("Update1").onSaveLevel([&](int level) {
    s().order.Amount = 555;  // a change the refused save must undo
    return level == 1 ? 7 : 0;
  });
  enterOrderWithTwoLines();
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
  EXPECT_EQ(s().order.Amount, 30);
  EXPECT_EQ(s().session.updates().levelChange(0), kLineInserted);
  ASSERT_FALSE(s().messages().empty());
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgSaveFailed, {"Lines refused."}));
  s().c("Update1").onSaveLevel(nullptr);
  EXPECT_TRUE(s().session.updates().save());  // nothing was lost: the same save now goes through
  EXPECT_EQ(query("SELECT COUNT(*) FROM TLine"), "2");
}

TEST_F(SaveTest, RequiredFieldIsCheckedAtSave) {
  ASSERT_TRUE(s().set("cOrderNbr", "0000000002"));
  ASSERT_TRUE(s().set("cAmount", "5"));
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgFieldRequired, {"Customer"}));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
}

TEST_F(SaveTest, UpdatedAndDeletedLinesAreWritten) {
  addOrder("0000000003", "ACME", 10);
  addLine("0000000003", "A", 1);
  addLine("0000000003", "B", 2);
  ASSERT_TRUE(s().set("cOrderNbr", "0000000003"));
  s().session.grids().gridLoad(s().c("Grid1"));
  ASSERT_EQ(s().lines->size(), 2u);
  ASSERT_TRUE(s().session.grids().selectLine(s().c("Grid1"), 0));
  ASSERT_TRUE(s().set("cAmt", "5"));
  EXPECT_EQ(s().lines->state(), kLineUpdated);
  ASSERT_TRUE(s().session.grids().selectLine(s().c("Grid1"), 1));
  ASSERT_TRUE(s().session.grids().deleteLine(s().c("Grid1")));
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT LineRef || '=' || printf('%.1f', Amt) FROM TLine"), "A=5.0");
}

TEST_F(SaveTest, SecondClerkSavingTheSameRowIsRefused) {
  addOrder("0000000004", "ACME", 10);
  OrderScreen other(dbPath());
  ASSERT_TRUE(s().set("cOrderNbr", "0000000004"));
  {
    SessionScope scope(other.session);
    ASSERT_TRUE(other.set("cOrderNbr", "0000000004"));
    ASSERT_TRUE(other.set("cAmount", "20"));
    ASSERT_TRUE(other.session.updates().save());
  }
  ASSERT_TRUE(s().set("cAmount", "99"));
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(s().messages().back(), formatMessage(kMsgChangedByOther, {"Header"}));
  EXPECT_EQ(query("SELECT Amount FROM TOrder"), "20.000000");
  EXPECT_EQ(query("SELECT tstamp FROM TOrder"), "1");
}

TEST_F(SaveTest, RowAddedByAnotherClerkMeanwhileIsNotOverwritten) {
  ASSERT_TRUE(s().set("cOrderNbr", "0000000006"));
  ASSERT_TRUE(s().set("cCustId", "BOLT"));
  addOrder("0000000006", "ACME", 1);
  EXPECT_FALSE(s().session.updates().save());
  EXPECT_EQ(query("SELECT CustId FROM TOrder"), "ACME");
}

TEST_F(SaveTest, SavingTwiceUpdatesTheRowAndItsStamp) {
  enterOrderWithTwoLines();
  ASSERT_TRUE(s().session.updates().save());
  ASSERT_TRUE(s().set("cAmount", "31"));
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT printf('%.1f', Amount) || '/' || tstamp FROM TOrder"), "31.0/1");
}

// Another clerk's process killed halfway through its save: its transaction
// leaves nothing behind and holds nothing, so this clerk saves as usual.
TEST_F(SaveTest, AProcessKilledInTheMiddleOfASaveLeavesNothingOfIt) {
  const pid_t clerk = fork();
  if (clerk == 0) {
    OrderScreen other(dbPath());
    SessionScope scope(other.session);
    other.set("cOrderNbr", "0000000009");
    other.set("cCustId", "BOLT");
    other.c("Update1").onSaveLevel([&](int level) {
      if (level == 0) other.session.database().run("INSERT INTO TCust VALUES ('HALF')").step();
      if (level == 1) std::raise(SIGKILL);
      return 0;
    });
    other.session.updates().save();
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(clerk, &status, 0), clerk);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(query("SELECT COUNT(*) FROM TCust WHERE CustId = 'HALF'"), "0");
  EXPECT_EQ(query("SELECT COUNT(*) FROM TOrder"), "0");
  enterOrderWithTwoLines();
  EXPECT_TRUE(s().session.updates().save());
}

TEST_F(SaveTest, SaveButtonDisabledRefusesTheSave) {
  enterOrderWithTwoLines();
  s().session.updates().setButtons(kButtonSave, kAllLevels, 0);
  EXPECT_FALSE(s().session.updates().save());
  s().session.updates().setButtons(kButtonSave, kAllLevels, -1);
  EXPECT_TRUE(s().session.updates().save());
}

}  // namespace
}  // namespace corvena::forms::testing
