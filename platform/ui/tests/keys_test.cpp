// Keyboard first: Escape in Find clears the search and keeps the work; a
// question that can lose work defaults to No; PageUp/PageDown and
// Ctrl+Home/End move within the lines; Tab visits only the cells that can be
// typed into and Ctrl+Tab leaves the grid; the header's Tab follows the
// columns the frame is read in.
#include <QLineEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include "platform/forms/messages.h"
#include "platform/ui/grid_bar.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

class Keys : public RenderTest {
 protected:
  GridView& grid() { return *view().gridFor(&control("Grid1")); }
  QTableWidget& table() { return *grid().table(); }

  // Parcels typed into the grid, one per line.
  void enterParcels(int count) {
    table().setFocus();
    for (int n = 0; n < count; ++n) {
      table().setCurrentCell(n, 0);
      settle();
      table().item(n, 0)->setText(QString("P%1").arg(n));
      settle();
    }
  }

  static void pressWith(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    settle();
  }
};

TEST_F(Keys, EscapeInFindClearsTheSearchAndKeepsWhatIsTyped) {
  auto* carrier = qobject_cast<QLineEdit*>(widget("cCarrier"));
  carrier->setFocus();
  settle();
  carrier->setText("FASTSHIP");
  enterParcels(1);
  QLineEdit* find = grid().bar()->findField();
  find->setFocus();
  settle();
  type("P0");
  press(Qt::Key_Escape);
  EXPECT_EQ(find->text(), "");
  EXPECT_TRUE(table().hasFocus());
  EXPECT_TRUE(answerer_->texts.empty());
  EXPECT_EQ(carrier->text(), "FASTSHIP");
  EXPECT_EQ(session_->grids().lineCount(control("Grid1")), 1u);
}

// The clerk's Escape then Enter answers No: nothing is dropped.
TEST_F(Keys, AQuestionThatDropsWorkDefaultsToNo) {
  enterParcels(1);
  widget("cCarrier")->setFocus();
  settle();
  press(Qt::Key_Escape);
  ASSERT_EQ(answerer_->texts.size(), 1u);
  EXPECT_EQ(answerer_->texts[0], forms::formatMessage(forms::kMsgConfirmCancel, {}));
  EXPECT_EQ(session_->grids().lineCount(control("Grid1")), 1u);
  EXPECT_EQ(table().item(0, 0)->text(), "P0");
}

TEST_F(Keys, PageKeysAndCtrlHomeEndMoveWithinTheLines) {
  enterParcels(40);
  table().setCurrentCell(0, 0);
  settle();
  press(Qt::Key_PageDown);
  const int page = table().currentRow();
  EXPECT_GT(page, 3);
  EXPECT_EQ(session_->grids().currentLine(control("Grid1")), page);
  press(Qt::Key_PageUp);
  EXPECT_EQ(table().currentRow(), 0);
  pressWith(Qt::Key_End, Qt::ControlModifier);
  EXPECT_GE(table().currentRow(), 39);
  pressWith(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(table().currentRow(), 0);
  // The keys stayed in the grid: no record was left or asked about.
  EXPECT_TRUE(answerer_->texts.empty());
  EXPECT_TRUE(table().hasFocus());
}

TEST_F(Keys, TabVisitsOnlyCellsThatCanBeTypedIntoAndCtrlTabLeavesTheGrid) {
  enterParcels(2);
  control("cParcelRef").setProperty("enabled", "0");
  grid().applyProperties();
  table().setCurrentCell(0, 1);
  settle();
  press(Qt::Key_Tab);
  EXPECT_EQ(table().currentRow(), 1);
  EXPECT_EQ(table().currentColumn(), 1);
  pressWith(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(table().currentRow(), 0);
  EXPECT_EQ(table().currentColumn(), 1);
  pressWith(Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_FALSE(grid().isAncestorOf(QApplication::focusWidget()));
  EXPECT_NE(QApplication::focusWidget(), nullptr);
}

// A frame that totals two amounts shows them in a column at its right: Tab
// goes down the first column before it.
TEST_F(Keys, TheHeadersTabFollowsTheFrameColumnByColumn) {
  using C = forms::ControlClass;
  forms::Form& form = session_->loadForm(
      {"TotalsForm",
       "Totals",
       {{.cls = C::Frame, .name = "frmTotals", .caption = "Totals"},
        {.cls = C::MaskedText, .name = "cFirst", .heading = "First", .parent = "frmTotals"},
        {.cls = C::Float,
         .name = "cShown1",
         .enabled = false,
         .heading = "Shown 1",
         .parent = "frmTotals"},
        {.cls = C::MaskedText, .name = "cSecond", .heading = "Second", .parent = "frmTotals"},
        {.cls = C::Float,
         .name = "cShown2",
         .enabled = false,
         .heading = "Shown 2",
         .parent = "frmTotals"},
        {.cls = C::MaskedText, .name = "cThird", .heading = "Third", .parent = "frmTotals"}}});
  FormView totals(*session_, form);
  std::vector<std::string> order;
  QWidget* first = totals.widgetFor(&session_->control("cFirst"));
  QWidget* at = first;
  do {
    for (const char* name : {"cFirst", "cShown1", "cSecond", "cShown2", "cThird"})
      if (at == totals.widgetFor(&session_->control(name))) order.push_back(name);
    at = at->nextInFocusChain();
  } while (at && at != first);
  EXPECT_EQ(order, (std::vector<std::string>{"cFirst", "cSecond", "cThird", "cShown1", "cShown2"}));
}

}  // namespace
}  // namespace corvena::ui::testing
