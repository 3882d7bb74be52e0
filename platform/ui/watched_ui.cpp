#include "platform/ui/watched_ui.h"

#include <poll.h>

#include <QApplication>
#include <QEvent>
#include <memory>

#include "platform/ui/form_view.h"
#include "platform/ui/form_window.h"
#include "platform/ui/gui.h"
#include "platform/ui/qt_ui.h"

namespace corvena::ui {

namespace {

constexpr int kPaintEveryMs = 30;

// Drops what a person does with mouse or keyboard, and closing a window.
class InputHeldOff : public QObject {
 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::ContextMenu:
      case QEvent::Close:
        return true;
      default:
        return QObject::eventFilter(target, event);
    }
  }
};

// Speaks through the driver's interface and shows through the desk's; a modal
// form does not wait on the desk, the requests answer it.
class WatchedUi : public forms::Ui {
 public:
  explicit WatchedUi(std::unique_ptr<QtUi> shown) : shown_(std::move(shown)) {
    qApp->installEventFilter(&heldOff_);
  }
  ~WatchedUi() override { qApp->removeEventFilter(&heldOff_); }

  int messageBox(std::string_view text, int style, std::string_view caption) override {
    return said_->messageBox(text, style, caption);
  }
  void status(int code, std::string_view text, int mode) override {
    said_->status(code, text, mode);
  }
  std::string chooseFile(std::string_view caption, std::string_view filter) override {
    return said_->chooseFile(caption, filter);
  }
  void report(const forms::Report& report) override { said_->report(report); }
  void fieldsShown(const std::vector<forms::Control*>& controls) override {
    shown_->fieldsShown(controls);
  }
  void linesChanged(forms::Control& grid) override { shown_->linesChanged(grid); }
  void propertyChanged(forms::Control& control, std::string_view property) override {
    shown_->propertyChanged(control, property);
  }
  void buttonsChanged() override { shown_->buttonsChanged(); }
  void formShown(forms::Form& form, bool) override { shown_->formShown(form, false); }
  void formHidden(forms::Form& form) override { shown_->formHidden(form); }
  void awaitInput(int fd) override {
    for (pollfd p{fd, POLLIN, 0}; ::poll(&p, 1, kPaintEveryMs) == 0;)
      QApplication::processEvents();
  }

  // The interface it speaks through: the one the session had.
  void speakThrough(std::unique_ptr<forms::Ui> said) { said_ = std::move(said); }
  std::unique_ptr<QtUi> takeShown() { return std::move(shown_); }

 private:
  std::unique_ptr<forms::Ui> said_;
  std::unique_ptr<QtUi> shown_;
  InputHeldOff heldOff_;
};

}  // namespace

void startWatching(forms::Session& session, int& argc, char** argv) {
  std::unique_ptr<QtUi> shown(static_cast<QtUi*>(createGuiUi(argc, argv).release()));
  QtUi& windows = *shown;
  auto watched = std::make_unique<WatchedUi>(std::move(shown));
  WatchedUi& ui = *watched;
  ui.speakThrough(session.setUi(std::move(watched)));
  windows.formShown(session.mainForm(), false);
  QApplication::processEvents();
}

void stopWatching(forms::Session& session) {
  if (auto* watched = dynamic_cast<WatchedUi*>(&session.ui())) session.setUi(watched->takeShown());
}

}  // namespace corvena::ui
