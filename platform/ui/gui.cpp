#include "platform/ui/gui.h"

#include <QApplication>
#include <QPixmap>
#include <cstdlib>
#include <iostream>
#include <utility>

#include "platform/forms/headless_ui.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/qt_ui.h"

namespace corvena::ui {

namespace {

QApplication* made = nullptr;

// Qt keeps the argument count by reference for the application's lifetime.
QApplication& application(int& argc, char** argv) {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static char name[] = "corvena";
  static char* fallback[] = {name, nullptr};
  static int count = 1;
  count = argv ? argc : 1;
  made = new QApplication(count, argv ? argv : fallback);
  return *made;
}

QtUi& rendererOf(forms::Session& session, int& argc, char** argv) {
  application(argc, argv);
  if (auto* ui = dynamic_cast<QtUi*>(&session.ui())) return *ui;
  auto ui = std::make_unique<QtUi>();
  QtUi& ref = *ui;
  session.setUi(std::move(ui));
  return ref;
}

FormWindow& showWindow(QtUi& ui, forms::Form& form) {
  FormWindow& window = ui.window(form);
  window.view()->refreshAll();
  window.show();
  window.raise();
  window.activateWindow();
  return window;
}

}  // namespace

std::unique_ptr<forms::Ui> createGuiUi(int& argc, char** argv) {
  application(argc, argv);
  return std::make_unique<QtUi>();
}

std::optional<std::string> screenshotRequest() {
  const char* path = std::getenv("CORVENA_SCREENSHOT");
  if (!path || !*path) return std::nullopt;
  return std::string(path);
}

bool saveScreenshot(forms::Session& session, const std::string& path) {
  int argc = 0;
  QtUi& ui = rendererOf(session, argc, nullptr);
  // CORVENA_SCREENSHOT_FORM names a second form of the screen to draw instead.
  const char* name = std::getenv("CORVENA_SCREENSHOT_FORM");
  forms::Form* form = name && *name ? session.findForm(name) : nullptr;
  FormWindow& window = showWindow(ui, form ? *form : session.mainForm());
  QApplication::processEvents();
  return window.grab().save(qText(path), "PNG");
}

void closeGui(forms::Session& session) {
  if (dynamic_cast<QtUi*>(&session.ui()))
    session.setUi(std::make_unique<forms::HeadlessUi>(&std::cerr));
  delete std::exchange(made, nullptr);
}

int runGui(forms::Session& session, int& argc, char** argv) {
  QtUi& ui = rendererOf(session, argc, argv);
  if (const auto path = screenshotRequest()) return saveScreenshot(session, *path) ? 0 : 1;
  ui.window(session.mainForm()).restorePlace();
  showWindow(ui, session.mainForm());
  const int code = QApplication::exec();
  rethrowDeferred();
  return code;
}

}  // namespace corvena::ui
