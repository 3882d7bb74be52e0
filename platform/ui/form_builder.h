#pragma once
// Lays a form's controls out in a FormView: each frame (tab, container) a
// group box with its own label/field rows; a label beside the field it names
// ("lName" beside "cName") or, failing that, the field right after it; a
// label with no field as a line of its own; grids and buttons across the row;
// single-value options bound to one field as one row of radios; a frame's
// amounts in a totals column at its right, a long frame in two columns.
// Tab follows the reading order of each frame, column by column.

#include <map>
#include <string>
#include <utility>

#include "platform/ui/form_view.h"

class QFormLayout;
class QLabel;
class QWidget;

namespace corvena::ui {

class FormBuilder {
 public:
  explicit FormBuilder(FormView& view) : view_(view) {}
  void build();

 private:
  QFormLayout* layoutFor(const forms::Control& control);
  QFormLayout* containerLayout(const forms::Control& container);
  void place(forms::Control& control);
  void placeField(forms::Control& field, QFormLayout* layout);
  void placeLabelled(forms::Control& field, QFormLayout* layout, QWidget* widget);
  void placeRadio(const forms::Control& option, QFormLayout* layout, QWidget* radio);
  void placeLabel(forms::Control& label, QFormLayout* layout);
  void placeContainer(forms::Control& container, QFormLayout* layout);
  void placeGrid(forms::Control& grid, QFormLayout* layout);
  void placeButton(forms::Control& button, QFormLayout* layout);
  void flushLabel(QFormLayout* layout);
  QLabel* makeLabel(const forms::Control& label);
  void addSpanning(const forms::Control& control, QFormLayout* layout, QWidget* widget);
  void pairLabelsByName();
  bool holdsControls(const forms::Control& container) const;
  void arrangeColumns(QFormLayout& first);
  const forms::Control* fieldInRow(QFormLayout& layout, int row) const;
  void moveRow(QFormLayout& from, int row, QFormLayout& to, int at);
  void orderTabs(QFormLayout& first);

  FormView& view_;
  QFormLayout* top_ = nullptr;
  std::map<QFormLayout*, forms::Control*> pendingLabel_;
  std::map<QFormLayout*, QWidget*> buttonRow_;
  std::map<std::pair<QFormLayout*, std::string>, QWidget*> radioRows_;
  std::map<const forms::Control*, forms::Control*> labelByField_;
  std::map<const forms::Control*, bool> pairedLabels_;
  std::map<const forms::Control*, QFormLayout*> containerForms_;
};

}  // namespace corvena::ui
