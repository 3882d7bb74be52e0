#include <QDateEdit>

#include "platform/ui/field_editors.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

// The host's blank date; the editor shows it as an empty field.
const QDate kBlankDate(1900, 1, 1);
constexpr const char* kIsoFormat = "yyyy-MM-dd";

QString isoOf(const QDate& date) {
  return date == kBlankDate ? QString() : date.toString(kIsoFormat);
}

}  // namespace

DateEditor::DateEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control), edit_(new QDateEdit) {
  edit_->setObjectName(qText(control.name()));
  edit_->setDisplayFormat(kIsoFormat);
  edit_->setCalendarPopup(true);
  edit_->setMinimumDate(kBlankDate);
  edit_->setSpecialValueText(" ");
  watchEntry(edit_);
}

QWidget* DateEditor::widget() const {
  return edit_;
}

void DateEditor::refresh() {
  const QDate date = QDate::fromString(modelText(), kIsoFormat);
  edit_->setDate(date.isValid() ? date : kBlankDate);
  shown_ = isoOf(edit_->date());
  markShown();
}

std::optional<std::string> DateEditor::pendingText() const {
  const QString now = isoOf(edit_->date());
  if (now == shown_) return std::nullopt;
  return stdText(now);
}

void DateEditor::setTypedText(const QString& text) {
  const QDate date = QDate::fromString(text, kIsoFormat);
  edit_->setDate(date.isValid() ? date : kBlankDate);
}

}  // namespace corvena::ui
