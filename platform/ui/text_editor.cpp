#include <QLineEdit>
#include <algorithm>

#include "platform/ui/field_editors.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

bool isFloat(const forms::Control& control) {
  return control.cls() == forms::ControlClass::Float;
}

// Room for what the field holds: the mask's positions, else the field's width.
int maxLength(const forms::Session& session, const forms::Control& control) {
  const std::string mask = control.property("mask");
  if (!mask.empty()) return static_cast<int>(mask.size());
  const FieldDesc* field = session.fieldOf(control);
  if (field && field->type == FieldType::Text) return static_cast<int>(field->width);
  return 32767;
}

}  // namespace

TextEditor::TextEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control), edit_(new QLineEdit) {
  edit_->setObjectName(qText(control.name()));
  edit_->setMaxLength(maxLength(session, control));
  if (isFloat(control)) edit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (control.desc().secret) edit_->setEchoMode(QLineEdit::Password);
  // Wide enough for what the field holds (an amount's digits), but a long
  // text field stays readable.
  const int chars = isFloat(control) ? 14 : std::clamp(edit_->maxLength(), 6, 40);
  edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QString(chars, 'N')) + 16);
  watchEntry(edit_);
}

QWidget* TextEditor::widget() const {
  return edit_;
}

QString TextEditor::formatted(const QString& model) const {
  if (!isFloat(control())) return model;
  bool ok = false;
  const double value = model.toDouble(&ok);
  return QString::number(ok ? value : 0.0, 'f', session().currencyDecimals());
}

// A secret keeps what was typed in the widget, as dots: the model shows only stars.
void TextEditor::refresh() {
  const QString model = formatted(modelText());
  shown_ = control().desc().secret && !model.isEmpty() ? edit_->text() : model;
  edit_->setText(shown_);
  edit_->setCursorPosition(0);
  markShown();
}

std::optional<std::string> TextEditor::pendingText() const {
  if (edit_->text() == shown_) return std::nullopt;
  return stdText(edit_->text());
}

void TextEditor::setTypedText(const QString& text) {
  edit_->setText(text);
}

}  // namespace corvena::ui
