#include "platform/ui/qt_ui.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>

#include "platform/forms/control.h"
#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/kept_in_view.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/report_window.h"
#include "platform/ui/status_log_window.h"

namespace corvena::ui {

QtUi::QtUi() = default;

QtUi::~QtUi() {
  for (auto& [form, window] : windows_) window->dismiss();
}

QWidget* QtUi::activeParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (const auto& [form, window] : windows_)
    if (window->isVisible()) return window.get();
  return nullptr;
}

int QtUi::messageBox(std::string_view text, int style, std::string_view caption) {
  return showMessageBox(text, style, caption, activeParent());
}

StatusLogWindow& QtUi::statusLog() {
  if (!log_) log_ = std::make_unique<StatusLogWindow>(activeParent());
  return *log_;
}

void QtUi::status(int code, std::string_view text, int mode) {
  if (code == forms::kStatusOpen) {
    statusLog().open(text);
  } else if (code == forms::kStatusWrite) {
    statusLog().write(text, mode);
  } else if (code == forms::kStatusClose) {
    statusLog().finish();
  }
}

FormWindow& QtUi::window(forms::Form& form) {
  auto it = windows_.find(&form);
  if (it == windows_.end())
    it = windows_.emplace(&form, std::make_unique<FormWindow>(form.session(), form)).first;
  return *it->second;
}

FormWindow* QtUi::findWindow(const forms::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

void QtUi::fieldsShown(const std::vector<forms::Control*>& controls) {
  for (const auto& [form, window] : windows_) {
    window->view()->refresh(controls);
    window->keptInView()->refresh();
  }
}

void QtUi::linesChanged(forms::Control& grid) {
  if (FormWindow* w = findWindow(grid.form())) w->view()->reloadGrid(grid);
}

void QtUi::propertyChanged(forms::Control& control, std::string_view) {
  if (FormWindow* w = findWindow(control.form())) w->view()->refreshControl(control);
}

void QtUi::buttonsChanged() {
  for (const auto& [form, window] : windows_) window->updateButtons();
}

void QtUi::working(std::size_t done) {
  progress_.step(activeParent(), "Working", done);
}

std::string QtUi::chooseFile(std::string_view caption, std::string_view filter) {
  return stdText(
      QFileDialog::getOpenFileName(activeParent(), qText(caption), QString(), qText(filter)));
}

void QtUi::report(const forms::Report& report) {
  if (!report_) report_ = std::make_unique<ReportWindow>(activeParent());
  report_->show(report);
}

void QtUi::workEnded() {
  progress_.end();
}

void QtUi::formShown(forms::Form& form, bool modal) {
  FormWindow& w = window(form);
  w.view()->refreshAll();
  const bool opening = !w.isVisible();
  w.show();
  w.raise();
  w.activateWindow();
  if (opening) w.view()->focusFirstField();
  if (!modal || modalLoops_.count(&form)) return;
  // A modal form holds its caller until it is hidden again.
  w.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoops_[&form] = &loop;
  loop.exec();
  modalLoops_.erase(&form);
  w.setWindowModality(Qt::NonModal);
}

void QtUi::formHidden(forms::Form& form) {
  if (FormWindow* w = findWindow(form)) w->dismiss();
  if (auto it = modalLoops_.find(&form); it != modalLoops_.end()) it->second->quit();
}

}  // namespace corvena::ui
