// A driven screen shown on the desk while driven: its window follows what the
// requests type and takes no keys until the screen is handed over; what it
// says goes to the driver, which passes it back, not into boxes on the desk.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/forms/headless_ui.h"
#include "platform/ui/tests/render_fixture.h"
#include "platform/ui/watched_ui.h"

namespace corvena::ui::testing {
namespace {

class Watched : public RenderTest {
 protected:
  Watched() {
    auto driver = std::make_unique<forms::HeadlessUi>();
    said_ = driver.get();
    session_->setUi(std::move(driver));
    static int argc = 1;
    static char name[] = "corvena_ui_tests";
    static char* argv[] = {name, nullptr};
    startWatching(*session_, argc, argv);
    settle();
  }

  QLineEdit* shown(const std::string& name) {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* window = dynamic_cast<FormWindow*>(top); window && window->isVisible())
        return qobject_cast<QLineEdit*>(window->view()->widgetFor(&control(name)));
    return nullptr;
  }

  forms::HeadlessUi* said_ = nullptr;
};

TEST_F(Watched, TheWindowFollowsTheRequestsAndTakesKeysOnlyOnceHandedOver) {
  ASSERT_TRUE(session_->enterValue(control("cCarrier"), "FASTSHIP"));
  settle();
  QLineEdit* carrier = shown("cCarrier");
  ASSERT_NE(carrier, nullptr);
  EXPECT_EQ(carrier->text(), "FASTSHIP");

  carrier->setFocus();
  carrier->end(false);
  QTest::keyClicks(carrier, "X");
  settle();
  EXPECT_EQ(carrier->text(), "FASTSHIP");

  session_->messages().messageBox("Watched, not asked.", 0, "Deliveries");
  ASSERT_EQ(said_->messages().size(), 1u);
  EXPECT_EQ(said_->messages()[0].text, "Watched, not asked.");

  stopWatching(*session_);
  carrier->setFocus();
  carrier->end(false);
  QTest::keyClicks(carrier, "X");
  settle();
  EXPECT_EQ(carrier->text(), "FASTSHIPX");
}

}  // namespace
}  // namespace corvena::ui::testing
