// The process status log: a window while the process runs, kept for reading.
#include <QPushButton>

#include "platform/ui/status_log_window.h"
#include "platform/ui/tests/render_fixture.h"

namespace corvena::ui::testing {
namespace {

using StatusLog = RenderTest;

TEST_F(StatusLog, LinesShowWhileTheProcessRunsAndStayAfterwards) {
  session_->messages().status(forms::kStatusOpen, 0, "Release", 0);
  auto& log = dynamic_cast<QtUi&>(session_->ui()).statusLog();
  EXPECT_TRUE(log.isVisible());
  EXPECT_TRUE(log.running());
  session_->messages().status(forms::kStatusWrite, 0, "Payment 1 entered", forms::kStatusProgress);
  session_->messages().status(forms::kStatusWrite, 0, "Customer C9 not found", forms::kStatusError);
  session_->messages().status(forms::kStatusClose, 0, "", 0);
  EXPECT_FALSE(log.running());
  EXPECT_TRUE(log.isVisible());
  EXPECT_EQ(log.errorLines(), 1);
  EXPECT_EQ(log.logText(), "Payment 1 entered\nCustomer C9 not found");
}

TEST_F(StatusLog, ARunningLogCannotBeDismissed) {
  StatusLogWindow log;
  log.open("Transfer");
  log.reject();
  EXPECT_TRUE(log.isVisible());
  log.finish();
  log.reject();
  EXPECT_FALSE(log.isVisible());
}

}  // namespace
}  // namespace corvena::ui::testing
