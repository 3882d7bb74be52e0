// Grids: new lines, line states, totals kept by triggers, sorting keeping states.
#include "platform/forms/tests/order_screen.h"

namespace corvena::forms::testing {
namespace {

class GridTest : public OrderScreenTest {
 protected:
  Control& grid() { return s().c("Grid1"); }
  void loadOrder() {
    addOrder("0000000040", "ACME", 1);
    addLine("0000000040", "C", 3);
    addLine("0000000040", "A", 1);
    addLine("0000000040", "B", 2);
    ASSERT_TRUE(s().set("cOrderNbr", "0000000040"));
    s().session.grids().gridLoad(grid());
  }
};

TEST_F(GridTest, LineChangeWithZeroComesBeforeTheNewLine) {
  std::vector<int> codes;
  grid().onLineChange([&](int code) {
    codes.push_back(code);
    if (code == kLineStarting) s().line.Note = "fresh";
    return 0;
  });
  int checks = 0;
  grid().onLineCheck([&](int code) {
    checks += code == kLineStarting;
    return 0;
  });
  ASSERT_TRUE(s().session.grids().startNewLine(grid()));
  EXPECT_EQ(codes, std::vector<int>{kLineStarting});
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(s().lines->size(), 0u);  // the line joins when a value is entered
  ASSERT_TRUE(s().set("cLineRef", "q"));
  ASSERT_EQ(s().lines->size(), 1u);
  EXPECT_EQ(s().lines->state(), kLineInserted);
  EXPECT_EQ(s().line.Note.trimmed(), "fresh");
  EXPECT_EQ(s().line.LineRef.trimmed(), "Q");
}

TEST_F(GridTest, RefusedLineChangeStartsNoLine) {
  grid().onLineChange([](int code) { return code == kLineStarting ? kSilentRefusal : 0; });
  EXPECT_FALSE(s().session.grids().startNewLine(grid()));
  EXPECT_FALSE(s().set("cAmt", "4"));
  EXPECT_EQ(s().lines->size(), 0u);
}

TEST_F(GridTest, LoadedLinesAreUnchangedUntilEdited) {
  loadOrder();
  ASSERT_EQ(s().lines->size(), 3u);
  EXPECT_EQ(s().lines->position(), 0);
  EXPECT_EQ(s().line.LineRef.trimmed(), "A");  // the procedure's order
  EXPECT_EQ(s().lines->state(), kLineUnchanged);
  EXPECT_EQ(s().session.updates().levelChange(1), kLineUnchanged);
  ASSERT_TRUE(s().session.grids().selectLine(grid(), 2));
  ASSERT_TRUE(s().set("cAmt", "7"));
  EXPECT_EQ(s().lines->state(), kLineUpdated);
  EXPECT_EQ(s().session.updates().levelChange(1), kLineUpdated);
  EXPECT_EQ(s().session.grids().cellText(grid(), 2, s().c("cAmt")), "7.00");
}

TEST_F(GridTest, TriggerKeepsTheHeaderTotalEqualToTheLines) {
  loadOrder();
  EXPECT_EQ(s().show("cTotal"), "6.00");
  ASSERT_TRUE(s().session.grids().selectLine(grid(), 0));
  ASSERT_TRUE(s().set("cAmt", "10.10"));
  EXPECT_EQ(s().show("cTotal"), "15.10");
  ASSERT_TRUE(s().session.grids().deleteLine(grid()));
  EXPECT_EQ(s().show("cTotal"), "5.00");
  ASSERT_TRUE(s().session.grids().startNewLine(grid()));
  ASSERT_TRUE(s().set("cAmt", "0.2"));
  EXPECT_EQ(s().show("cTotal"), "5.20");
}

TEST_F(GridTest, LinesChangedByCodeShowInTheTotalOnRedraw) {
  loadOrder();
  s().lines->first();
  s().line.Amt = 100;
  s().lines->update();
  EXPECT_EQ(s().show("cTotal"), "6.00");
  s().session.displayFields(s().session.mainForm().range(nullptr, nullptr));
  EXPECT_EQ(s().show("cTotal"), "105.00");
}

TEST_F(GridTest, RefusedColumnEntryLeavesTheLine) {
  loadOrder();
  s().c("cAmt").onValueCheck([](std::string& t) { return t == "9" ? kSilentRefusal : 0; });
  ASSERT_TRUE(s().session.grids().selectLine(grid(), 1));
  EXPECT_FALSE(s().set("cAmt", "9"));
  EXPECT_EQ(s().lines->state(), kLineUnchanged);
  EXPECT_EQ(s().session.grids().cellText(grid(), 1, s().c("cAmt")), "2.00");
  EXPECT_EQ(s().show("cTotal"), "6.00");
}

TEST_F(GridTest, SortKeepsEachLinesState) {
  loadOrder();
  ASSERT_TRUE(s().session.grids().selectLine(grid(), 1));  // B
  ASSERT_TRUE(s().set("cAmt", "20"));
  LineArray& a = *s().lines;
  a.setKey(0, SortKey{0, TLine::layout().find("Amt"), false});
  a.sort();
  std::vector<std::string> order;
  std::vector<int> states;
  for (int rc = a.first(); rc == kLineOk; rc = a.next()) {
    order.push_back(s().line.LineRef.trimmed());
    states.push_back(a.state());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(states, (std::vector<int>{kLineUpdated, kLineUnchanged, kLineUnchanged}));
}

TEST_F(GridTest, SetColumnAllLinesMarksEveryLineChanged) {
  loadOrder();
  s().session.grids().setColumnAllLines(s().c("cAmt"), "0");
  EXPECT_EQ(s().show("cTotal"), "0.00");
  for (int rc = s().lines->first(); rc == kLineOk; rc = s().lines->next())
    EXPECT_EQ(s().lines->state(), kLineUpdated);
  ASSERT_TRUE(s().session.updates().save());
  EXPECT_EQ(query("SELECT SUM(Amt) FROM TLine"), "0.000000");
}

TEST_F(GridTest, GridWithoutATableKeepsItsLinesInMemory) {
  CursorHandle memoryCursor;
  s().session.cursors().openCursor(memoryCursor, 1, "CSR_XLINE", "XLine");
  TLine work{};
  blankRecord(work);
  LineArray* mem = s().session.grids().openArray({work});
  work.LineRef = "M";
  mem->insert();
  EXPECT_EQ(mem->size(), 1u);
  s().session.grids().closeArray(mem);
  EXPECT_THROW(s().session.grids().array(mem), RuntimeError);
}

}  // namespace
}  // namespace corvena::forms::testing
