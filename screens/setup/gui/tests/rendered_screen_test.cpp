// QM18200 as drawn: every control with its caption and label, labels left of
// their fields in control order, the toolbar of the update control.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>

#include "platform/ui/form_window.h"
#include "screens/setup/gui/tests/desktop_fixture.h"
#include "screens/setup/qm18200_form.h"

namespace corvena::qm18200::testing {
namespace {

using RenderedScreen = DesktopSetup;

TEST_F(RenderedScreen, TheWindowCarriesTheScreenCaption) {
  EXPECT_EQ(window().windowTitle().toStdString(), Caption);
}

TEST_F(RenderedScreen, EachFieldShowsWithItsLabelLeftOfIt) {
  const std::vector<std::pair<std::string, std::string>> fields{
      {"cWashAcct", "Wash Account:"},
      {"cWashSub", "Wash Sub:"},
      {"cLastNABatNbr", "Last NA Batch Number:"}};
  int previousTop = -1;
  for (const auto& [name, caption] : fields) {
    QWidget* field = widget(name);
    ASSERT_NE(field, nullptr) << name;
    EXPECT_TRUE(field->isVisible()) << name;
    EXPECT_TRUE(field->isEnabled()) << name;
    QLabel* label = view().labelOf(&control(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text().toStdString(), caption);
    EXPECT_TRUE(label->isVisible());
    const QPoint labelAt = label->mapTo(&view(), QPoint(0, 0));
    const QPoint fieldAt = field->mapTo(&view(), QPoint(0, 0));
    EXPECT_LT(labelAt.x() + label->width(), fieldAt.x() + 1) << name;
    EXPECT_GT(fieldAt.y(), previousTop) << name;
    previousTop = fieldAt.y();
  }
}

TEST_F(RenderedScreen, TheWarningIsShownInFull) {
  auto* warning = qobject_cast<QLabel*>(widget("lWarning"));
  ASSERT_NE(warning, nullptr);
  EXPECT_TRUE(warning->isVisible());
  EXPECT_EQ(warning->text().toStdString(),
            "The Wash Account and SubAccount must be setup in Cash Manager as a Bank Account if "
            "you are using the Cash Manager Module. ");
}

TEST_F(RenderedScreen, FieldsHoldNoMoreThanTheirMasks) {
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cWashAcct"))->maxLength(), 10);
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cWashSub"))->maxLength(), 24);
  EXPECT_EQ(qobject_cast<QLineEdit*>(widget("cLastNABatNbr"))->maxLength(), 10);
}

// A screen of three fields still opens wide enough for every button of the toolbar.
TEST_F(RenderedScreen, TheUpdateControlIsAToolbarWithItsKeysAllInView) {
  auto* bar = window().findChild<QToolBar*>();
  ASSERT_NE(bar, nullptr);
  for (auto which : {ui::UpdateAction::New, ui::UpdateAction::Save, ui::UpdateAction::Delete,
                     ui::UpdateAction::Cancel, ui::UpdateAction::First, ui::UpdateAction::Previous,
                     ui::UpdateAction::Next, ui::UpdateAction::Last, ui::UpdateAction::Close}) {
    ASSERT_NE(window().action(which), nullptr);
    EXPECT_TRUE(bar->widgetForAction(window().action(which))->isVisible());
  }
  EXPECT_EQ(window().action(ui::UpdateAction::Save)->shortcut(), QKeySequence::Save);
}

}  // namespace
}  // namespace corvena::qm18200::testing
