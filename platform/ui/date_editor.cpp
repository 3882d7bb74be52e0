#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include "platform/ui/field_editors.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/typed_date.h"

namespace corvena::ui {

namespace {

// "t", "+" and "-" act on the date instead of being typed, where they can.
class DayKeys : public QObject {
 public:
  DayKeys(QObject* watched, std::function<bool(QChar)> act) : QObject(watched), act_(std::move(act)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const QString text = static_cast<QKeyEvent*>(event)->text();
      if (text.size() == 1 && act_(text[0])) return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(QChar)> act_;
};

}  // namespace

DateEditor::DateEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control),
      holder_(new QWidget),
      edit_(new QLineEdit(holder_)),
      pick_(new QToolButton(holder_)) {
  holder_->setObjectName(qText(control.name()));
  edit_->setObjectName(qText(control.name() + ".text"));
  edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance("0000-00-00") + 16);
  pick_->setArrowType(Qt::DownArrow);
  pick_->setFocusPolicy(Qt::NoFocus);
  pick_->setToolTip("Calendar");
  auto* layout = new QHBoxLayout(holder_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(edit_);
  layout->addWidget(pick_);
  layout->addStretch();
  holder_->setFocusProxy(edit_);
  QObject::connect(pick_, &QToolButton::clicked, holder_, [this] { openCalendar(); });
  new DayKeys(edit_, [this](QChar key) { return dayKey(key); });
  watchEntry(edit_);
}

QWidget* DateEditor::widget() const {
  return holder_;
}

QDate DateEditor::businessDate() const {
  return qDate(session().businessDate());
}

// The date the field holds as typed so far; the business date when blank.
QDate DateEditor::shownDate() const {
  const auto date = typedDate(edit_->text(), businessDate());
  return date && date->isValid() ? *date : businessDate();
}

bool DateEditor::dayKey(QChar key) {
  const auto date = typedDate(edit_->text(), businessDate());
  if (key.toLower() == 't') {
    edit_->setText(businessDate().toString(Qt::ISODate));
  } else if ((key == '+' || key == '-') && date) {
    // A date half typed ("2026-") is no date yet: its "-" is typed.
    edit_->setText(shownDate().addDays(key == '+' ? 1 : -1).toString(Qt::ISODate));
  } else {
    return false;
  }
  return true;
}

void DateEditor::openCalendar() {
  if (!calendar_) {
    calendar_ = new QCalendarWidget(holder_);
    calendar_->setWindowFlags(Qt::Popup);
    QObject::connect(calendar_, &QCalendarWidget::activated, holder_, [this](QDate date) {
      calendar_->hide();
      edit_->setFocus(Qt::PopupFocusReason);
      enterAsTyped(stdText(date.toString(Qt::ISODate)));
    });
  }
  calendar_->setSelectedDate(shownDate());
  calendar_->move(holder_->mapToGlobal(QPoint(0, holder_->height())));
  calendar_->show();
  calendar_->setFocus(Qt::PopupFocusReason);
}

void DateEditor::refresh() {
  shown_ = modelText();
  edit_->setText(shown_);
  markShown();
}

std::optional<std::string> DateEditor::pendingText() const {
  if (edit_->text() == shown_) return std::nullopt;
  return stdText(enteredDate(edit_->text(), businessDate()));
}

void DateEditor::setTypedText(const QString& text) {
  edit_->setText(text);
}

}  // namespace corvena::ui
