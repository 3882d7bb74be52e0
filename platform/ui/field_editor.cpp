#include "platform/ui/field_editor.h"

#include <QTimer>
#include <QWidget>

#include "platform/ui/entry_keys.h"
#include "platform/ui/event_guard.h"
#include "platform/ui/field_editors.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

FieldEditor::FieldEditor(forms::Session& session, forms::Control& control)
    : session_(&session), control_(&control) {}

FieldEditor::~FieldEditor() {
  if (keys_) keys_->disarm();
}

void FieldEditor::watchEntry(QObject* watched) {
  keys_ = new EntryKeys(watched, [this] { commit(); });
}

void FieldEditor::applyProperties() {
  widget()->setEnabled(control_->enabled());
  widget()->setVisible(control_->visible());
}

bool FieldEditor::commit() {
  if (entering_) return true;
  const auto text = pendingText();
  if (!text) return !refused_;
  return enter(*text);
}

bool FieldEditor::enterAsTyped(const std::string& value) {
  setTypedText(qText(value));
  return enter(value);
}

bool FieldEditor::enter(const std::string& text) {
  entering_ = true;
  return finish(guardedCall(*session_, [&] { return session_->enterValue(*control_, text); }));
}

bool FieldEditor::enterClick() {
  entering_ = true;
  return finish(guardedCall(*session_, [&] { return session_->click(*control_); }));
}

bool FieldEditor::finish(bool accepted) {
  entering_ = false;
  refused_ = !accepted;
  if (!accepted && !keepsRefusedText()) refresh();
  if (!accepted) keepFocus();
  if (listener_) listener_(*this, accepted);
  return accepted;
}

void FieldEditor::keepFocus() {
  QWidget* w = widget();
  w->setFocus(Qt::OtherFocusReason);
  // A message box or a click elsewhere may still move the focus after this
  // event; take it back once the event loop is free again.
  QTimer::singleShot(0, w, [w] {
    w->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
  });
}

QString FieldEditor::modelText() const {
  return qText(session_->displayText(*control_));
}

bool isFieldClass(forms::ControlClass cls) {
  using forms::ControlClass;
  switch (cls) {
    case ControlClass::MaskedText:
    case ControlClass::Float:
    case ControlClass::Date:
    case ControlClass::Combo:
    case ControlClass::Check:
    case ControlClass::OptionGroup:
      return true;
    default:
      return false;
  }
}

std::unique_ptr<FieldEditor> makeFieldEditor(forms::Session& session, forms::Control& control) {
  using forms::ControlClass;
  switch (control.cls()) {
    case ControlClass::MaskedText:
    case ControlClass::Float:
      return std::make_unique<TextEditor>(session, control);
    case ControlClass::Date:
      return std::make_unique<DateEditor>(session, control);
    case ControlClass::Combo:
      return std::make_unique<ComboEditor>(session, control);
    case ControlClass::Check:
      return std::make_unique<CheckEditor>(session, control);
    case ControlClass::OptionGroup:
      if (forms::parseList(control.property("list")).size() == 1)
        return std::make_unique<RadioEditor>(session, control);
      return std::make_unique<OptionEditor>(session, control);
    default:
      return nullptr;
  }
}

}  // namespace corvena::ui
