#pragma once
// The look-up list of a field's possible values (F3), filtered as the user
// types, titled by the field's label; the chosen row's value is the column the
// field stores (platform/forms/lookup_list.h).

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/lookup_list.h"
#include "platform/forms/session.h"

class QLineEdit;
class QTableWidget;

namespace corvena::ui {

class LookupDialog : public QDialog {
 public:
  // `title` is what the field is called on the screen; empty: its heading or label.
  LookupDialog(const forms::Session& session, const forms::Control& control, forms::LookupList list,
               QWidget* parent = nullptr, const QString& title = {});

  // Shows the list modally; the chosen value, or nothing when dismissed.
  static std::optional<std::string> choose(forms::Session& session, const forms::Control& control,
                                           QWidget* parent, const QString& title = {});

  QTableWidget* table() const { return table_; }
  QLineEdit* filter() const { return filter_; }
  // The value of the selected row, if a row is selected and shown.
  std::optional<std::string> selectedValue() const;

 private:
  void fillTable(const forms::Session& session, const forms::Control& control,
                 const QString& title);
  // Every column in full where the screen has the room.
  void fitColumns();
  void applyFilter(const QString& text);
  forms::LookupList list_;
  QLineEdit* filter_;
  QTableWidget* table_;
};

}  // namespace corvena::ui
