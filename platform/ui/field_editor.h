#pragma once
// The widget of one field control. Every value goes into the form model
// through the framework's entry path (Session::enterValue / click); the
// editor only shows what the model holds and hands over what the user typed.

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/forms/control.h"
#include "platform/forms/session.h"

class QWidget;

namespace corvena::ui {

class EntryKeys;

class FieldEditor {
 public:
  // Told after every entry attempt: accepted or refused.
  using EntryListener = std::function<void(FieldEditor& editor, bool accepted)>;

  FieldEditor(forms::Session& session, forms::Control& control);
  virtual ~FieldEditor();
  FieldEditor(const FieldEditor&) = delete;
  FieldEditor& operator=(const FieldEditor&) = delete;

  forms::Control& control() const { return *control_; }
  forms::Session& session() const { return *session_; }
  virtual QWidget* widget() const = 0;

  // Shows the model's value, dropping anything typed and not entered.
  virtual void refresh() = 0;
  // Enabled and visible as the control's properties say.
  void applyProperties();
  // Enters what the user typed and has not entered yet. True when there was
  // nothing to enter or the framework accepted it; a refusal keeps the focus.
  bool commit();
  // Puts a value into the widget as if typed (a look-up choice) and enters it.
  bool enterAsTyped(const std::string& value);
  // True while a refused value waits in the widget.
  bool refused() const { return refused_; }
  void setEntryListener(EntryListener listener) { listener_ = std::move(listener); }

 protected:
  // The text to enter when the user changed the widget since it was shown.
  virtual std::optional<std::string> pendingText() const = 0;
  virtual void setTypedText(const QString& text) = 0;
  // Editors that enter on every change show the model again after a refusal;
  // typed text stays for the user to correct.
  virtual bool keepsRefusedText() const { return true; }
  // Called by refresh(): the widget now shows the model.
  void markShown() { refused_ = false; }
  // Runs the framework's entry with the text and tells the listener.
  bool enter(const std::string& text);
  // The framework's entry for a click (check boxes).
  bool enterClick();
  QString modelText() const;
  // Enters the typed text on Enter and on leaving the widget.
  void watchEntry(QObject* watched);

 private:
  bool finish(bool accepted);
  void keepFocus();
  forms::Session* session_;
  forms::Control* control_;
  EntryListener listener_;
  QPointer<EntryKeys> keys_;
  bool refused_ = false;
  bool entering_ = false;
};

// The editor for a field control of any class (masked text, float, date,
// combo, check box, option group); nullptr for controls that are not fields.
std::unique_ptr<FieldEditor> makeFieldEditor(forms::Session& session, forms::Control& control);

bool isFieldClass(forms::ControlClass cls);

}  // namespace corvena::ui
