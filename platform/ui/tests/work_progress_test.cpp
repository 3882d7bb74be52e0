// Long work told by the session: a progress window that counts, leaves the
// clerk's field the keys, and goes when the work ends.
#include <QApplication>
#include <QProgressDialog>

#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using Progress = RenderTest;

TEST_F(Progress, LongWorkCountsInAWindowThatLeavesTheKeysAndGoesWhenItEnds) {
  widget("cCarrier")->setFocus();
  settle();
  auto& renderer = dynamic_cast<QtUi&>(session_->ui());
  renderer.working(1200);
  QProgressDialog* shown = renderer.progress().window();
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(shown->labelText(), "Working: 1,200 done");
  renderer.working(2400);
  EXPECT_EQ(renderer.progress().window(), shown);
  EXPECT_EQ(shown->labelText(), "Working: 2,400 done");
  EXPECT_EQ(QApplication::focusWidget(), widget("cCarrier"));
  renderer.workEnded();
  EXPECT_EQ(renderer.progress().window(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace corvena::ui::testing
