// Single-value options bound to one field in one frame: one row of radios in
// that frame, each with its caption, entering its value through the entry path.
#include <QGroupBox>
#include <QRadioButton>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using OptionRadios = RenderTest;

QRadioButton* radio(QWidget* widget) {
  return qobject_cast<QRadioButton*>(widget);
}

TEST_F(OptionRadios, OptionsOfOneFieldAreRadiosOfOneRowInTheirFrame) {
  auto* frame = qobject_cast<QGroupBox*>(widget("frmSpeed"));
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(radio(widget("cSpeed")), nullptr);
  ASSERT_NE(radio(widget("cSpeed2")), nullptr);
  EXPECT_EQ(radio(widget("cSpeed"))->text(), "Normal");
  EXPECT_EQ(radio(widget("cSpeed2"))->text(), "Express");
  EXPECT_EQ(widget("cSpeed")->parentWidget(), widget("cSpeed2")->parentWidget());
  EXPECT_TRUE(frame->isAncestorOf(widget("cSpeed")));
  EXPECT_TRUE(frame->findChildren<QGroupBox*>().isEmpty());
  EXPECT_EQ(frame->findChildren<QRadioButton*>().size(), 2);
}

TEST_F(OptionRadios, TheRadioOfTheFieldsValueIsChecked) {
  EXPECT_TRUE(radio(widget("cSpeed"))->isChecked());
  EXPECT_FALSE(radio(widget("cSpeed2"))->isChecked());
}

TEST_F(OptionRadios, ChoosingARadioEntersItsValue) {
  radio(widget("cSpeed2"))->click();
  settle();
  EXPECT_EQ(delivery_.Speed.view(), "X");
  EXPECT_TRUE(radio(widget("cSpeed2"))->isChecked());
  EXPECT_FALSE(radio(widget("cSpeed"))->isChecked());
  auto* group = qobject_cast<QGroupBox*>(widget("optSpeed"));
  ASSERT_NE(group, nullptr);
  EXPECT_TRUE(group->findChildren<QRadioButton*>().at(1)->isChecked());
}

TEST_F(OptionRadios, ChoosingTheCheckedRadioAgainKeepsItChecked) {
  radio(widget("cSpeed"))->click();
  settle();
  EXPECT_EQ(delivery_.Speed.view(), "N");
  EXPECT_TRUE(radio(widget("cSpeed"))->isChecked());
}

}  // namespace
}  // namespace corvena::ui::testing
