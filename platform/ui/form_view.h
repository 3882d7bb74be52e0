#pragma once
// One framework form drawn as widgets: frames as group boxes, a label left of
// its field, fields in control order within each frame, grids as tables,
// buttons. It shows the form model and sends the user's entries to it.

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/session.h"
#include "platform/ui/action_trace.h"
#include "platform/ui/field_editor.h"

class QFormLayout;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvena::ui {

class GridView;

class FormView : public QWidget {
 public:
  FormView(forms::Session& session, forms::Form& form);
  ~FormView() override;

  forms::Session& session() const { return *session_; }
  forms::Form& form() const { return *form_; }

  // Shows every control as the model holds it.
  void refreshAll();
  void refresh(const std::vector<forms::Control*>& controls);
  void refreshControl(const forms::Control& control);
  void reloadGrid(const forms::Control& grid);

  FieldEditor* editorFor(const forms::Control* control) const;
  GridView* gridFor(const forms::Control* grid) const;
  bool hasGrid() const { return !grids_.empty(); }
  // The widget drawing the control (label, field, button, frame or grid).
  QWidget* widgetFor(const forms::Control* control) const;
  // The label shown beside a field, or nullptr.
  QLabel* labelOf(const forms::Control* field) const;

  FieldEditor* focusedEditor() const;
  GridView* focusedGrid() const;
  // The field (or grid column) the user is in, or nullptr.
  forms::Control* focusedControl() const;
  // Enters a chosen value where the focus is now, as typed there; empty
  // outside any field.
  std::function<bool(const std::string&)> entryForFocused() const;
  // The clerk starts in the first field that takes entries, as on paper.
  void focusFirstField();
  // Enters what the user typed into the focused field; false when refused.
  bool commitFocused();
  // Told after every accepted entry, line change or button click.
  void setModelChanged(std::function<void()> changed) { modelChanged_ = std::move(changed); }
  // Told what a clicked button did.
  using ButtonDone = std::function<void(const forms::Control&, bool, const ActionTrace&)>;
  void setButtonDone(ButtonDone done) { buttonDone_ = std::move(done); }

 private:
  friend class FormBuilder;
  struct Row {
    QFormLayout* layout = nullptr;
    QWidget* widget = nullptr;
  };
  void entered(bool accepted);
  void clickButton(forms::Control& button);
  void setShown(const forms::Control& control, bool visible);
  void changed();

  forms::Session* session_;
  forms::Form* form_;
  std::map<const forms::Control*, std::unique_ptr<FieldEditor>> editors_;
  std::map<const forms::Control*, GridView*> grids_;
  std::map<const forms::Control*, QLabel*> labels_;
  std::map<const forms::Control*, QLabel*> fieldLabels_;
  std::map<const forms::Control*, QPushButton*> buttons_;
  std::map<const forms::Control*, QGroupBox*> frames_;
  std::map<const forms::Control*, Row> rows_;
  // Frames and containers holding no control take no room.
  std::map<const forms::Control*, bool> empty_;
  std::function<void()> modelChanged_;
  ButtonDone buttonDone_;
};

}  // namespace corvena::ui
