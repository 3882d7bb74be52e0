#pragma once
// The field editors by control class.

#include <QDate>
#include <QString>

#include "platform/ui/field_editor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QCalendarWidget;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace corvena::ui {

// Masked text and float fields: a line edit entered on Enter or on leaving it.
class TextEditor : public FieldEditor {
 public:
  TextEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;
  QLineEdit* lineEdit() const { return edit_; }

 protected:
  std::optional<std::string> pendingText() const override;
  void setTypedText(const QString& text) override;

 private:
  QString formatted(const QString& model) const;
  QLineEdit* edit_;
  QString shown_;
};

// A date typed in any of the clerk's forms (see typed_date.h) into one text
// field, "t" for the business date, "+"/"-" for a day on, with a calendar
// beside it that opens at the field's date, else the business date.
class DateEditor : public FieldEditor {
 public:
  DateEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;
  QLineEdit* lineEdit() const { return edit_; }
  QToolButton* calendarButton() const { return pick_; }
  QCalendarWidget* calendar() const { return calendar_; }

 protected:
  std::optional<std::string> pendingText() const override;
  void setTypedText(const QString& text) override;

 private:
  QDate businessDate() const;
  QDate shownDate() const;
  bool dayKey(QChar key);
  void openCalendar();
  QWidget* holder_;
  QLineEdit* edit_;
  QToolButton* pick_;
  QCalendarWidget* calendar_ = nullptr;
  QString shown_;
};

// Combo lists show the captions of their "value;caption" items.
class ComboEditor : public FieldEditor {
 public:
  ComboEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;

 protected:
  std::optional<std::string> pendingText() const override { return std::nullopt; }
  void setTypedText(const QString& text) override;
  bool keepsRefusedText() const override { return false; }

 private:
  void fillItems();
  QComboBox* combo_;
};

class CheckEditor : public FieldEditor {
 public:
  CheckEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;

 protected:
  std::optional<std::string> pendingText() const override { return std::nullopt; }
  void setTypedText(const QString& text) override;
  bool keepsRefusedText() const override { return false; }

 private:
  QCheckBox* box_;
};

class OptionEditor : public FieldEditor {
 public:
  OptionEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;

 protected:
  std::optional<std::string> pendingText() const override { return std::nullopt; }
  void setTypedText(const QString& text) override;
  bool keepsRefusedText() const override { return false; }

 private:
  QGroupBox* group_;
  QButtonGroup* buttons_;
  std::vector<std::string> values_;
};

// One value of a field whose options are separate controls: the radios of
// one field are exclusive through the model, which every refresh shows.
class RadioEditor : public FieldEditor {
 public:
  RadioEditor(forms::Session& session, forms::Control& control);
  QWidget* widget() const override;
  void refresh() override;

 protected:
  std::optional<std::string> pendingText() const override { return std::nullopt; }
  void setTypedText(const QString& text) override;
  bool keepsRefusedText() const override { return false; }

 private:
  QRadioButton* radio_;
  std::string value_;
};

}  // namespace corvena::ui
