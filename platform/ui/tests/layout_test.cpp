// How a form is drawn: frames as group boxes, labels left of their fields,
// combo captions, check boxes, option groups, floats, dates, disabled
// fields greyed, labels without a caption hidden, grids as tables titled by
// the columns' headings, wide enough for them and growing with the window.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "platform/ui/field_editors.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Layout = RenderTest;

TEST_F(Layout, AFrameIsAGroupBoxHoldingItsLabelledFields) {
  auto* frame = qobject_cast<QGroupBox*>(widget("frmDelivery"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->title(), "Delivery");
  for (const char* name : {"cDelivNbr", "cCarrier"}) {
    EXPECT_TRUE(frame->isAncestorOf(widget(name))) << name;
    QLabel* label = view().labelOf(&control(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_TRUE(frame->isAncestorOf(label));
    EXPECT_LT(label->mapTo(frame, QPoint()).x(), widget(name)->mapTo(frame, QPoint()).x());
  }
  EXPECT_EQ(view().labelOf(&control("cCarrier"))->text(), "Carrier:");
  EXPECT_LT(widget("cDelivNbr")->mapTo(frame, QPoint()).y(),
            widget("cCarrier")->mapTo(frame, QPoint()).y());
}

TEST_F(Layout, AFieldWithoutALabelIsTitledByItsHeading) {
  ASSERT_NE(view().labelOf(&control("cWeight")), nullptr);
  EXPECT_EQ(view().labelOf(&control("cWeight"))->text(), "Weight:");
}

TEST_F(Layout, AComboShowsTheCaptionOfItsValue) {
  auto* combo = qobject_cast<QComboBox*>(widget("cStatus"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentText(), "Open");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(1), "Shipped");
}

TEST_F(Layout, CheckBoxesAndOptionGroupsCarryTheirCaptions) {
  auto* check = qobject_cast<QCheckBox*>(widget("cInsured"));
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->text(), "Insured");
  EXPECT_FALSE(check->isChecked());
  auto* group = qobject_cast<QGroupBox*>(widget("optSpeed"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), "Speed");
  const auto radios = group->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 2);
  EXPECT_EQ(radios[0]->text(), "Normal");
  EXPECT_TRUE(radios[0]->isChecked());
}

TEST_F(Layout, FloatsAreRightAlignedWithTwoDecimals) {
  auto* weight = qobject_cast<QLineEdit*>(widget("cWeight"));
  ASSERT_NE(weight, nullptr);
  EXPECT_TRUE(weight->alignment() & Qt::AlignRight);
  EXPECT_EQ(weight->text(), "0.00");
}

TEST_F(Layout, ADateFieldShowsTheBlankDateEmpty) {
  auto* date = dynamic_cast<DateEditor*>(view().editorFor(&control("cShipDate")));
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->lineEdit()->text(), "");
}

TEST_F(Layout, ADisabledControlIsGreyedAndFollowsItsProperty) {
  EXPECT_FALSE(widget("cNote")->isEnabled());
  session_->setProperty(control("cNote"), "enabled", "1");
  EXPECT_TRUE(widget("cNote")->isEnabled());
  session_->setProperty(control("cWeight"), "visible", "0");
  EXPECT_FALSE(widget("cWeight")->isVisible());
  EXPECT_FALSE(view().labelOf(&control("cWeight"))->isVisible());
}

TEST_F(Layout, ALabelWithoutACaptionTakesNoRoomUntilItGetsOne) {
  EXPECT_FALSE(widget("lRemark")->isVisible());
  session_->setProperty(control("lRemark"), "caption", "Fragile");
  ASSERT_TRUE(widget("lRemark")->isVisible());
  EXPECT_EQ(qobject_cast<QLabel*>(widget("lRemark"))->text(), "Fragile");
  session_->setProperty(control("lRemark"), "caption", "");
  EXPECT_FALSE(widget("lRemark")->isVisible());
}

TEST_F(Layout, AGridIsATableTitledByItsColumnsHeadings) {
  auto* grid = view().gridFor(&control("Grid1"));
  ASSERT_NE(grid, nullptr);
  QTableWidget* table = grid->table();
  ASSERT_EQ(table->columnCount(), 2);
  EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "Parcel");
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Kilos");
  // A level whose lines may be added shows a row to start a new line in.
  EXPECT_EQ(table->rowCount(), 1);
}

TEST_F(Layout, AGridOpensWithEveryColumnInViewAndTakesTheRoomToSpare) {
  GridView* grid = view().gridFor(&control("Grid1"));
  EXPECT_GE(grid->width(), grid->sizeHint().width());
  const int parcel = grid->table()->columnWidth(0);
  const int height = grid->height();
  window().resize(window().width() + 100, window().height() + 200);
  settle();
  EXPECT_GT(grid->height(), height + 100);
  grid->reload();
  EXPECT_EQ(grid->table()->columnWidth(0), parcel);
}

}  // namespace
}  // namespace corvena::ui::testing
