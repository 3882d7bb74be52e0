#include "platform/ui/form_builder.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cctype>
#include <vector>

#include "platform/forms/lookup_list.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

using forms::ControlClass;

constexpr int kRadiosPerLine = 6;
// A frame with more rows than this shows them in two columns side by side.
constexpr int kRowsInOneColumn = 7;

bool isContainer(ControlClass cls) {
  return cls == ControlClass::Frame || cls == ControlClass::Tab || cls == ControlClass::Container;
}

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// "lWashAcct" and "cWashAcct" both give "washacct".
std::string stem(const forms::Control& control, char prefix) {
  const std::string name = lowered(control.name());
  if (name.size() < 2 || name[0] != prefix) return {};
  return name.substr(1);
}

QFormLayout* newFormLayout(QWidget* owner) {
  auto* layout = new QFormLayout(owner);
  layout->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  layout->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
  // A field is as wide as what it holds; a wide frame does not stretch it.
  layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  layout->setRowWrapPolicy(QFormLayout::DontWrapRows);
  return layout;
}

// A grid needs the frame's whole width.
bool holdsGrid(const QFormLayout& layout) {
  for (int row = 0; row < layout.rowCount(); ++row) {
    const QLayoutItem* item = layout.itemAt(row, QFormLayout::SpanningRole);
    if (item && dynamic_cast<GridView*>(item->widget())) return true;
  }
  return false;
}

// The widget and those within it that Tab stops at, in their present order.
void appendFocusable(QWidget& widget, std::vector<QWidget*>& order) {
  QWidget* at = &widget;
  do {
    if ((at == &widget || widget.isAncestorOf(at)) && !at->focusProxy() &&
        (at->focusPolicy() & Qt::TabFocus))
      order.push_back(at);
    at = at->nextInFocusChain();
  } while (at && at != &widget);
}

}  // namespace

void FormBuilder::build() {
  top_ = newFormLayout(&view_);
  pairLabelsByName();
  for (const auto& control : view_.form_->controls()) place(*control);
  for (auto& [layout, label] : pendingLabel_) flushLabel(layout);
  for (auto& [container, layout] : containerForms_) arrangeColumns(*layout);
  for (auto& [container, layout] : containerForms_) orderTabs(*layout);
}

// Rows were made in the screen's order, then moved into columns: the keys
// follow them there.
void FormBuilder::orderTabs(QFormLayout& first) {
  auto& columns = *static_cast<QBoxLayout*>(first.parent());
  std::vector<QWidget*> order;
  for (int c = 0; c < columns.count(); ++c) {
    auto* column = qobject_cast<QFormLayout*>(columns.itemAt(c)->layout());
    if (!column) continue;
    for (int row = 0; row < column->rowCount(); ++row)
      for (auto role : {QFormLayout::FieldRole, QFormLayout::SpanningRole})
        if (const QLayoutItem* item = column->itemAt(row, role); item && item->widget())
          appendFocusable(*item->widget(), order);
  }
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

// A frame's amounts, when it totals some (two or more it only shows), stand
// in a column of their own at its right, as a totals strip; a long frame reads
// better, and leaves the grid room, as two columns.
void FormBuilder::arrangeColumns(QFormLayout& first) {
  if (holdsGrid(first)) return;
  auto& columns = *static_cast<QBoxLayout*>(first.parent());
  std::vector<int> amounts;
  int shownOnly = 0;
  for (int row = 0; row < first.rowCount(); ++row) {
    const forms::Control* field = fieldInRow(first, row);
    if (!field || field->cls() != ControlClass::Float) continue;
    amounts.push_back(row);
    shownOnly += field->enabled() ? 0 : 1;
  }
  QFormLayout* totals = nullptr;
  if (shownOnly >= 2) {
    totals = newFormLayout(nullptr);
    for (auto it = amounts.rbegin(); it != amounts.rend(); ++it) moveRow(first, *it, *totals, 0);
  }
  const int rows = first.rowCount();
  if (rows > kRowsInOneColumn) {
    auto* second = newFormLayout(nullptr);
    columns.addLayout(second);
    while (first.rowCount() > (rows + 1) / 2) moveRow(first, (rows + 1) / 2, *second, -1);
  }
  if (totals) columns.addLayout(totals);
}

const forms::Control* FormBuilder::fieldInRow(QFormLayout& layout, int row) const {
  const QLayoutItem* item = layout.itemAt(row, QFormLayout::FieldRole);
  if (!item || !item->widget()) return nullptr;
  for (const auto& [control, placed] : view_.rows_)
    if (placed.widget == item->widget()) return control;
  return nullptr;
}

// A row taken to another column keeps its label, and the view knows where it went.
void FormBuilder::moveRow(QFormLayout& from, int row, QFormLayout& to, int at) {
  const auto taken = from.takeRow(row);
  QWidget* field = taken.fieldItem->widget();
  if (taken.labelItem) {
    to.insertRow(at, taken.labelItem->widget(), field);
  } else {
    to.insertRow(at, field);
  }
  delete taken.labelItem;
  delete taken.fieldItem;
  for (auto& [control, placed] : view_.rows_)
    if (placed.widget == field) placed.layout = &to;
}

void FormBuilder::pairLabelsByName() {
  std::map<std::string, forms::Control*> fields;
  for (const auto& control : view_.form_->controls())
    if (isFieldClass(control->cls()) && !control->isGridColumn()) {
      const std::string key = stem(*control, 'c');
      if (!key.empty()) fields[key + "#" + std::to_string(control->index())] = control.get();
    }
  for (const auto& control : view_.form_->controls()) {
    if (control->cls() != ControlClass::Label) continue;
    const std::string key = stem(*control, 'l');
    auto it = fields.find(key + "#" + std::to_string(control->index()));
    if (key.empty() || it == fields.end()) continue;
    labelByField_[it->second] = control.get();
    pairedLabels_[control.get()] = true;
  }
}

QFormLayout* FormBuilder::layoutFor(const forms::Control& control) {
  const std::string& parent = control.desc().parent;
  if (parent.empty()) return top_;
  forms::Control* container = view_.form_->find(parent);
  if (!container || !isContainer(container->cls())) return top_;
  return containerLayout(*container);
}

// A container's box is made when a child or the container itself comes first.
QFormLayout* FormBuilder::containerLayout(const forms::Control& container) {
  auto it = containerForms_.find(&container);
  if (it != containerForms_.end()) return it->second;
  auto* box = new QGroupBox(qText(container.property("caption")));
  box->setObjectName(qText(container.name()));
  view_.frames_[&container] = box;
  auto* columns = new QHBoxLayout(box);
  auto* layout = newFormLayout(nullptr);
  columns->addLayout(layout);
  containerForms_[&container] = layout;
  return layout;
}

void FormBuilder::place(forms::Control& control) {
  if (control.isGridColumn() || control.cls() == ControlClass::Update) return;
  QFormLayout* layout = layoutFor(control);
  const ControlClass cls = control.cls();
  if (cls == ControlClass::Label) {
    placeLabel(control, layout);
  } else if (isFieldClass(cls)) {
    placeField(control, layout);
  } else if (isContainer(cls)) {
    placeContainer(control, layout);
  } else if (cls == ControlClass::Grid) {
    placeGrid(control, layout);
  } else if (cls == ControlClass::Button) {
    placeButton(control, layout);
  }
}

QLabel* FormBuilder::makeLabel(const forms::Control& label) {
  auto* widget = new QLabel(qText(label.property("caption")));
  widget->setObjectName(qText(label.name()));
  view_.labels_[&label] = widget;
  return widget;
}

void FormBuilder::placeLabel(forms::Control& label, QFormLayout* layout) {
  if (pairedLabels_.count(&label)) return;
  flushLabel(layout);
  pendingLabel_[layout] = &label;
}

void FormBuilder::flushLabel(QFormLayout* layout) {
  auto it = pendingLabel_.find(layout);
  if (it == pendingLabel_.end() || !it->second) return;
  forms::Control* label = it->second;
  it->second = nullptr;
  QLabel* widget = makeLabel(*label);
  widget->setWordWrap(true);
  addSpanning(*label, layout, widget);
}

void FormBuilder::addSpanning(const forms::Control& control, QFormLayout* layout, QWidget* widget) {
  buttonRow_.erase(layout);
  layout->addRow(widget);
  view_.rows_[&control] = {layout, widget};
}

void FormBuilder::placeField(forms::Control& field, QFormLayout* layout) {
  auto editor = makeFieldEditor(*view_.session_, field);
  QWidget* widget = editor->widget();
  if (forms::hasLookup(field)) widget->setToolTip("F3 lists the possible values");
  editor->setEntryListener(
      [&view = view_](FieldEditor&, bool accepted) { view.entered(accepted); });
  if (qobject_cast<QRadioButton*>(widget)) {
    placeRadio(field, layout, widget);
  } else {
    placeLabelled(field, layout, widget);
  }
  view_.editors_[&field] = std::move(editor);
}

// The options of one field in one frame share a row, three to a line.
void FormBuilder::placeRadio(const forms::Control& option, QFormLayout* layout, QWidget* radio) {
  const std::string field =
      option.bound() ? lowered(option.bufferName() + "." + option.fieldName()) : option.name();
  auto row = radioRows_.find({layout, field});
  if (row == radioRows_.end()) {
    flushLabel(layout);
    buttonRow_.erase(layout);
    auto* holder = new QWidget;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    layout->addRow(holder);
    row = radioRows_.emplace(std::make_pair(layout, field), holder).first;
  }
  auto* grid = static_cast<QGridLayout*>(row->second->layout());
  const int n = grid->count();
  grid->addWidget(radio, n / kRadiosPerLine, n % kRadiosPerLine);
}

void FormBuilder::placeLabelled(forms::Control& field, QFormLayout* layout, QWidget* widget) {
  QLabel* label = nullptr;
  if (auto named = labelByField_.find(&field); named != labelByField_.end()) {
    label = makeLabel(*named->second);
  } else if (auto pending = pendingLabel_.find(layout);
             pending != pendingLabel_.end() && pending->second) {
    label = makeLabel(*pending->second);
    pending->second = nullptr;
  } else if (const std::string heading = field.property("heading"); !heading.empty()) {
    label = new QLabel(qText(heading + ":"));
  }
  flushLabel(layout);
  buttonRow_.erase(layout);
  if (label) {
    label->setBuddy(widget);
    layout->addRow(label, widget);
    view_.fieldLabels_[&field] = label;
  } else {
    layout->addRow(QString(), widget);
  }
  view_.rows_[&field] = {layout, widget};
}

void FormBuilder::placeContainer(forms::Control& container, QFormLayout* layout) {
  flushLabel(layout);
  if (containerLayout(container)->rowCount() == 0 && !holdsControls(container))
    view_.empty_[&container] = true;
  addSpanning(container, layout, view_.frames_.at(&container));
}

bool FormBuilder::holdsControls(const forms::Control& container) const {
  const std::string name = lowered(container.name());
  for (const auto& control : view_.form_->controls())
    if (lowered(control->desc().parent) == name) return true;
  return false;
}

void FormBuilder::placeGrid(forms::Control& grid, QFormLayout* layout) {
  flushLabel(layout);
  auto* view = new GridView(*view_.session_, grid, [&view = view_] { view.changed(); });
  view_.grids_[&grid] = view;
  addSpanning(grid, layout, view);
}

// Buttons that follow one another share a row.
void FormBuilder::placeButton(forms::Control& button, QFormLayout* layout) {
  flushLabel(layout);
  auto* widget = new QPushButton(qText(button.property("caption")));
  widget->setObjectName(qText(button.name()));
  view_.buttons_[&button] = widget;
  QObject::connect(widget, &QPushButton::clicked, widget,
                   [&view = view_, &button] { view.clickButton(button); });
  auto row = buttonRow_.find(layout);
  if (row == buttonRow_.end()) {
    auto* holder = new QWidget;
    auto* box = new QHBoxLayout(holder);
    box->setContentsMargins(0, 0, 0, 0);
    box->addStretch();
    layout->addRow(holder);
    row = buttonRow_.emplace(layout, holder).first;
  }
  auto* box = static_cast<QHBoxLayout*>(row->second->layout());
  box->insertWidget(box->count() - 1, widget);
}

}  // namespace corvena::ui
