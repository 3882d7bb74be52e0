#pragma once
// QM18200 opened in the desktop renderer on Qt's offscreen platform, on a
// fresh company database, as a clerk at a desk would have it.

#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/tests/message_answerer.h"
#include "runtime/screen_program.h"
#include "screens/setup/tests/setup_fixture.h"

namespace corvena::qm18200::testing {

class DesktopSetup : public SetupScreen {
 protected:
  void SetUp() override;
  void TearDown() override;

  ui::FormWindow& window() { return *window_; }
  ui::FormView& view() { return *window_->view(); }
  forms::Control& control(const std::string& name);
  QWidget* widget(const std::string& name);
  // Types into a text field and presses Enter.
  void typeAndEnter(const std::string& name, const std::string& text);
  void focus(const std::string& name);
  static void settle();
  const std::vector<std::string>& answererTexts() const { return answerer_->texts; }

  std::unique_ptr<screens::testing::ScreenUnderTest> screen_;
  ui::FormWindow* window_ = nullptr;
  std::unique_ptr<ui::testing::MessageAnswerer> answerer_;
};

}  // namespace corvena::qm18200::testing
