// Grids: typing into the new-line row adds a line through the entry path and
// leaves a blank new-line row; Enter under an amount goes down; F4 switches
// to one line at a time as a form and back; a double-click opens a line.
#include "platform/ui/grid_view.h"

#include <QTableWidget>
#include <QTest>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using GridEntry = RenderTest;

TEST_F(GridEntry, TypingIntoTheNewLineRowAddsALine) {
  GridView* grid = view().gridFor(&control("Grid1"));
  QTableWidget* table = grid->table();
  table->setFocus();
  table->setCurrentCell(0, 0);
  settle();
  ASSERT_EQ(table->rowCount(), 1);
  table->item(0, 0)->setText("p1");
  settle();
  ASSERT_EQ(session_->grids().lineCount(control("Grid1")), 1u);
  EXPECT_EQ(session_->grids().cellText(control("Grid1"), 0, control("cParcelRef")), "P1");
  EXPECT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(0, 0)->text(), "P1");
  table->setCurrentCell(0, 1);
  table->item(0, 1)->setText("3.25");
  settle();
  EXPECT_EQ(table->item(0, 1)->text(), "3.25");
  EXPECT_DOUBLE_EQ(parcel_.Kilos, 3.25);
}

TEST_F(GridEntry, TheNewLineRowStaysBlankBesideTheCurrentLine) {
  GridView* grid = view().gridFor(&control("Grid1"));
  QTableWidget* table = grid->table();
  table->setFocus();
  table->setCurrentCell(0, 0);
  settle();
  table->item(0, 0)->setText("p1");
  settle();
  table->setCurrentCell(0, 1);
  table->item(0, 1)->setText("3.25");
  settle();
  ASSERT_EQ(session_->grids().currentLine(control("Grid1")), 0);
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->item(1, 0)->text(), "");
  EXPECT_EQ(table->item(1, 1)->text(), "");
  EXPECT_EQ(table->item(0, 0)->text(), "P1");
}

TEST_F(GridEntry, EnterInAnAmountColumnGoesOnToTheNextLine) {
  QTableWidget* table = view().gridFor(&control("Grid1"))->table();
  table->setFocus();
  table->setCurrentCell(0, 0);
  table->item(0, 0)->setText("p1");
  settle();
  table->setCurrentCell(0, 1);
  table->editItem(table->item(0, 1));
  settle();
  type("4.5");
  press(Qt::Key_Return);
  EXPECT_EQ(session_->grids().cellText(control("Grid1"), 0, control("cKilos")), "4.50");
  EXPECT_EQ(table->currentRow(), 1);
  EXPECT_EQ(table->currentColumn(), 1);
}

TEST_F(GridEntry, NoNewLineRowWhenTheScreenSwitchesNewOffForTheLevel) {
  GridView* grid = view().gridFor(&control("Grid1"));
  session_->updates().setButtons(forms::kButtonNew, 1, 0);
  grid->reload();
  EXPECT_EQ(grid->table()->rowCount(), 0);
  session_->updates().setButtons(forms::kButtonNew, 1, -1);
  grid->reload();
  EXPECT_EQ(grid->table()->rowCount(), 1);
}

TEST_F(GridEntry, F4SwitchesBetweenTableAndLineForm) {
  GridView* grid = view().gridFor(&control("Grid1"));
  EXPECT_TRUE(grid->showsTable());
  grid->toggleView();
  EXPECT_FALSE(grid->showsTable());
  grid->toggleView();
  EXPECT_TRUE(grid->showsTable());
}

// A double-click on a line that takes no typing opens what the line stands for
// (the grid's click, on that line); on a cell that takes typing it edits.
TEST_F(GridEntry, ADoubleClickOnAReadOnlyCellRaisesTheGridsClickOnItsLine) {
  GridView* grid = view().gridFor(&control("Grid1"));
  QTableWidget* table = grid->table();
  for (const char* ref : {"p1", "p2"}) {
    table->setCurrentCell(table->rowCount() - 1, 0);
    table->item(table->rowCount() - 1, 0)->setText(ref);
    settle();
  }
  std::vector<int> clicked;
  control("Grid1").onClick([&] { clicked.push_back(session_->grids().currentLine(control("Grid1"))); });
  control("cParcelRef").setProperty("enabled", "0");
  grid->reload();
  const auto doubleClick = [&](int row, int col) {
    table->scrollToItem(table->item(row, col));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(table->window()));
    // A double-click reaches a widget as a click, then the second press.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(row, col)).center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {},
                       table->visualItemRect(table->item(row, col)).center());
    settle();
  };
  ASSERT_EQ(session_->grids().lineCount(control("Grid1")), 2u);
  ASSERT_FALSE(table->item(1, 0)->flags() & Qt::ItemIsEditable);
  doubleClick(0, 0);
  EXPECT_EQ(table->currentRow(), 0);
  EXPECT_EQ(clicked, std::vector<int>{0});
  doubleClick(1, 1);
  EXPECT_EQ(clicked, std::vector<int>{0});
}

}  // namespace
}  // namespace corvena::ui::testing
