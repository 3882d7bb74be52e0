#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QWheelEvent>

#include "platform/ui/field_editors.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

// The wheel over a list the clerk is not in scrolls the window; one notch
// must not switch a value unseen.
class FocusedWheelCombo : public QComboBox {
 protected:
  void wheelEvent(QWheelEvent* event) override {
    if (hasFocus()) {
      QComboBox::wheelEvent(event);
    } else {
      event->ignore();
    }
  }
};

}  // namespace

ComboEditor::ComboEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control), combo_(new FocusedWheelCombo) {
  combo_->setObjectName(qText(control.name()));
  combo_->setFocusPolicy(Qt::StrongFocus);
  fillItems();
  QObject::connect(combo_, &QComboBox::activated, combo_,
                   [this](int index) { enter(stdText(combo_->itemData(index).toString())); });
}

QWidget* ComboEditor::widget() const {
  return combo_;
}

void ComboEditor::fillItems() {
  combo_->clear();
  for (const auto& item : forms::parseList(control().property("list")))
    combo_->addItem(qText(item.caption), qText(item.value));
}

void ComboEditor::refresh() {
  fillItems();
  combo_->setCurrentIndex(combo_->findData(modelText().trimmed()));
  markShown();
}

void ComboEditor::setTypedText(const QString& text) {
  combo_->setCurrentIndex(combo_->findData(text.trimmed()));
}

CheckEditor::CheckEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control), box_(new QCheckBox(qText(control.property("caption")))) {
  box_->setObjectName(qText(control.name()));
  QObject::connect(box_, &QCheckBox::clicked, box_, [this] { enterClick(); });
}

QWidget* CheckEditor::widget() const {
  return box_;
}

void CheckEditor::refresh() {
  box_->setText(qText(control().property("caption")));
  box_->setChecked(modelText().trimmed() == "1");
  markShown();
}

void CheckEditor::setTypedText(const QString& text) {
  box_->setChecked(text.trimmed() == "1");
}

OptionEditor::OptionEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control),
      group_(new QGroupBox(qText(control.property("caption")))),
      buttons_(new QButtonGroup(group_)) {
  group_->setObjectName(qText(control.name()));
  auto* layout = new QHBoxLayout(group_);
  for (const auto& item : forms::parseList(control.property("list"))) {
    auto* radio = new QRadioButton(qText(item.caption), group_);
    buttons_->addButton(radio, static_cast<int>(values_.size()));
    values_.push_back(item.value);
    layout->addWidget(radio);
  }
  layout->addStretch();
  QObject::connect(buttons_, &QButtonGroup::idClicked, group_,
                   [this](int id) { enter(values_.at(static_cast<std::size_t>(id))); });
}

QWidget* OptionEditor::widget() const {
  return group_;
}

void OptionEditor::setTypedText(const QString& text) {
  const std::string value = stdText(text.trimmed());
  buttons_->setExclusive(false);
  for (std::size_t i = 0; i < values_.size(); ++i)
    buttons_->button(static_cast<int>(i))->setChecked(values_[i] == value);
  buttons_->setExclusive(true);
}

void OptionEditor::refresh() {
  setTypedText(modelText());
  markShown();
}

RadioEditor::RadioEditor(forms::Session& session, forms::Control& control)
    : FieldEditor(session, control), radio_(new QRadioButton) {
  radio_->setObjectName(qText(control.name()));
  radio_->setAutoExclusive(false);
  const auto items = forms::parseList(control.property("list"));
  if (!items.empty()) {
    value_ = items.front().value;
    radio_->setText(qText(items.front().caption));
  }
  QObject::connect(radio_, &QRadioButton::clicked, radio_, [this] {
    enter(value_);
    refresh();
  });
}

QWidget* RadioEditor::widget() const {
  return radio_;
}

void RadioEditor::setTypedText(const QString& text) {
  radio_->setChecked(stdText(text.trimmed()) == value_);
}

void RadioEditor::refresh() {
  setTypedText(modelText());
  markShown();
}

}  // namespace corvena::ui
