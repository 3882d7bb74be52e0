#pragma once
// A form's window. The main form's carries the update control as a toolbar
// and keys: New, Save (Ctrl+S), Delete, Cancel, First/Previous/Next/Last and
// Close, switched on and off by SetButton for the level the user is in.
// F3 opens the look-up list of the field's possible values. A status line
// says what the last action or button did, with the keys a clerk would not
// guess (F3, F4, Ctrl+Del) at its right.

#include <QMainWindow>
#include <map>

#include "platform/forms/session.h"
#include "platform/ui/action_trace.h"

class QAction;
class QStatusBar;

namespace corvena::ui {

class FormView;
class KeptInView;

enum class UpdateAction { New, Save, Delete, Cancel, First, Previous, Next, Last, Close };

class FormWindow : public QMainWindow {
 public:
  FormWindow(forms::Session& session, forms::Form& form);
  ~FormWindow() override;

  FormView* view() const { return view_; }
  forms::Form& form() const { return *form_; }
  QAction* action(UpdateAction which) const;
  // Runs a toolbar action as the user's click or key would.
  bool run(UpdateAction which);
  // The level the user works in: the focused control's (0 outside any).
  int currentLevel() const;
  void updateButtons();
  void lookUp();
  // Closes without raising the form's unload (the session already ends it).
  void dismiss();
  // Opens where this clerk last left this screen.
  void restorePlace();
  QStatusBar* statusLine() const;
  KeptInView* keptInView() const { return keptInView_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void addActions();
  void addKeyHints();
  QAction* addAction(UpdateAction which, const QString& text, int icon, const QKeySequence& key);
  bool perform(UpdateAction which);
  bool isMainForm() const;
  void fitToContent();
  QSize frameAround() const;
  void keepOnScreen();
  bool keepsNothingUnsaved();
  std::string screenName() const;
  std::string userName() const;
  void tell(UpdateAction which, bool done, const ActionTrace& trace);
  void tellClicked(const forms::Control& button, bool done, const ActionTrace& trace);
  // Shows the text on the status line, with what the action logged after it.
  void say(QString text, const ActionTrace& trace);
  // "Batch 0000000002": the record the update control works on.
  QString recordShown() const;

  forms::Session* session_;
  forms::Form* form_;
  FormView* view_;
  KeptInView* keptInView_ = nullptr;
  std::map<UpdateAction, QAction*> actions_;
  QMetaObject::Connection focusWatch_;
  bool dismissing_ = false;
  bool closed_ = false;
  bool placed_ = false;
  // The frame counted when the window was sized to fit, until checked
  // against the one the window manager drew.
  QSize counted_;
};

}  // namespace corvena::ui
