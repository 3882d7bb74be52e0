#include "platform/ui/form_view.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/event_guard.h"
#include "platform/ui/form_builder.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

bool holdsFocus(const QWidget* widget) {
  const QWidget* focus = QApplication::focusWidget();
  return focus && (focus == widget || widget->isAncestorOf(focus));
}

}  // namespace

FormView::FormView(forms::Session& session, forms::Form& form) : session_(&session), form_(&form) {
  setObjectName(qText(form.name()));
  FormBuilder(*this).build();
  refreshAll();
}

FormView::~FormView() = default;

void FormView::refreshAll() {
  for (const auto& control : form_->controls()) refreshControl(*control);
}

void FormView::refresh(const std::vector<forms::Control*>& controls) {
  for (const forms::Control* control : controls)
    if (control && &control->form() == form_) refreshControl(*control);
}

void FormView::refreshControl(const forms::Control& control) {
  const QString caption = qText(control.property("caption"));
  if (auto it = editors_.find(&control); it != editors_.end()) {
    it->second->applyProperties();
    it->second->refresh();
  } else if (auto grid = grids_.find(&control); grid != grids_.end()) {
    grid->second->applyProperties();
    grid->second->reload();
  } else if (auto label = labels_.find(&control); label != labels_.end()) {
    label->second->setText(caption);
  } else if (auto button = buttons_.find(&control); button != buttons_.end()) {
    button->second->setText(caption);
  } else if (auto frame = frames_.find(&control); frame != frames_.end()) {
    frame->second->setTitle(caption);
  }
  if (QWidget* widget = widgetFor(&control)) widget->setEnabled(control.enabled());
  // A label with nothing to say takes no room until the screen gives it a caption.
  const bool blankLabel = labels_.count(&control) && caption.trimmed().isEmpty();
  setShown(control, control.visible() && !empty_.count(&control) && !blankLabel);
}

void FormView::setShown(const forms::Control& control, bool visible) {
  if (auto row = rows_.find(&control); row != rows_.end()) {
    row->second.layout->setRowVisible(row->second.widget, visible);
    return;
  }
  if (QWidget* widget = widgetFor(&control)) widget->setVisible(visible);
}

void FormView::reloadGrid(const forms::Control& grid) {
  if (GridView* view = gridFor(&grid)) view->reload();
}

FieldEditor* FormView::editorFor(const forms::Control* control) const {
  auto it = editors_.find(control);
  return it == editors_.end() ? nullptr : it->second.get();
}

GridView* FormView::gridFor(const forms::Control* grid) const {
  auto it = grids_.find(grid);
  return it == grids_.end() ? nullptr : it->second;
}

QWidget* FormView::widgetFor(const forms::Control* control) const {
  if (FieldEditor* editor = editorFor(control)) return editor->widget();
  if (GridView* grid = gridFor(control)) return grid;
  if (auto it = labels_.find(control); it != labels_.end()) return it->second;
  if (auto it = buttons_.find(control); it != buttons_.end()) return it->second;
  if (auto it = frames_.find(control); it != frames_.end()) return it->second;
  return nullptr;
}

QLabel* FormView::labelOf(const forms::Control* field) const {
  auto it = fieldLabels_.find(field);
  return it == fieldLabels_.end() ? nullptr : it->second;
}

FieldEditor* FormView::focusedEditor() const {
  for (const auto& [control, editor] : editors_)
    if (holdsFocus(editor->widget())) return editor.get();
  return nullptr;
}

GridView* FormView::focusedGrid() const {
  for (const auto& [control, grid] : grids_)
    if (holdsFocus(grid)) return grid;
  return nullptr;
}

forms::Control* FormView::focusedControl() const {
  if (FieldEditor* editor = focusedEditor()) return &editor->control();
  if (GridView* grid = focusedGrid()) return grid->currentColumn();
  return nullptr;
}

std::function<bool(const std::string&)> FormView::entryForFocused() const {
  if (FieldEditor* editor = focusedEditor())
    return [editor](const std::string& value) { return editor->enterAsTyped(value); };
  if (GridView* grid = focusedGrid()) return grid->entryForCurrent();
  return {};
}

void FormView::focusFirstField() {
  for (const auto& control : form_->controls()) {
    FieldEditor* editor = editorFor(control.get());
    if (editor && control->enabled() && control->visible()) {
      editor->widget()->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

bool FormView::commitFocused() {
  if (FieldEditor* editor = focusedEditor()) return editor->commit();
  if (GridView* grid = focusedGrid()) return grid->commit();
  return true;
}

void FormView::entered(bool accepted) {
  if (accepted) changed();
}

void FormView::clickButton(forms::Control& button) {
  const ActionTrace trace(*session_);
  const bool done = guardedCall(*session_, [&] { return session_->click(button); });
  changed();
  if (buttonDone_) buttonDone_(button, done, trace);
}

void FormView::changed() {
  refreshAll();
  if (modelChanged_) modelChanged_();
}

}  // namespace corvena::ui
