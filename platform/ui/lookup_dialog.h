#pragma once
// The look-up list of a field's possible values (F3): the rows its pv
// procedure gives for the pattern '%', filtered as the user types, titled by
// the field's label; the value column of the chosen row is the value.

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/session.h"

class QLineEdit;
class QTableWidget;

namespace corvena::ui {

struct LookupRows {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  // Columns holding amounts, shown with the currency's decimals.
  std::vector<bool> amounts;
};

// The procedure call a field's possible values are listed with: its pv
// procedure, the pv's own arguments, and '%' for the value.
std::string lookupCall(const forms::Session& session, const forms::Control& control);
// Runs it; throws db::DbError when the database refuses it.
LookupRows fetchLookupRows(forms::Session& session, const forms::Control& control);

class LookupDialog : public QDialog {
 public:
  // `title` is what the field is called on the screen; empty: its heading or label.
  LookupDialog(const forms::Session& session, const forms::Control& control, LookupRows rows,
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
  LookupRows rows_;
  std::size_t valueColumn_ = 0;
  QLineEdit* filter_;
  QTableWidget* table_;
};

}  // namespace corvena::ui
