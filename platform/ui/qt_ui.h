#pragma once
// The desktop renderer of a session: form windows, message boxes and the
// process status log. The session tells it what changed; it redraws.

#include <QPointer>
#include <map>
#include <memory>

#include "platform/forms/form.h"
#include "platform/forms/ui.h"
#include "platform/ui/work_progress.h"

class QEventLoop;
class QWidget;

namespace corvena::ui {

class FormWindow;
class ReportWindow;
class StatusLogWindow;

class QtUi : public forms::Ui {
 public:
  QtUi();
  ~QtUi() override;

  int messageBox(std::string_view text, int style, std::string_view caption) override;
  void status(int code, std::string_view text, int mode) override;
  bool asksBeforeDropping() const override { return true; }

  void fieldsShown(const std::vector<forms::Control*>& controls) override;
  void linesChanged(forms::Control& grid) override;
  void propertyChanged(forms::Control& control, std::string_view property) override;
  void buttonsChanged() override;
  void working(std::size_t done) override;
  std::chrono::milliseconds workNoticedAfter() const override { return workNoticedAfter_; }
  void setWorkNoticedAfter(std::chrono::milliseconds after) { workNoticedAfter_ = after; }
  void workEnded() override;
  void formShown(forms::Form& form, bool modal) override;
  void formHidden(forms::Form& form) override;
  bool waitsForForms() const override { return true; }
  std::string chooseFile(std::string_view caption, std::string_view filter) override;
  void report(const forms::Report& report) override;
  // The last report shown, or nullptr.
  ReportWindow* reportWindow() const { return report_.get(); }

  // The form's window, made on first use.
  FormWindow& window(forms::Form& form);
  FormWindow* findWindow(const forms::Form& form) const;
  StatusLogWindow& statusLog();
  WorkProgress& progress() { return progress_; }

 private:
  QWidget* activeParent() const;
  std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
  std::map<const forms::Form*, QEventLoop*> modalLoops_;
  std::unique_ptr<StatusLogWindow> log_;
  std::unique_ptr<ReportWindow> report_;
  WorkProgress progress_;
  std::chrono::milliseconds workNoticedAfter_{150};
};

}  // namespace corvena::ui
