#include "platform/ui/kept_in_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include "platform/ui/field_editor.h"
#include "platform/ui/form_view.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

QString captionOf(const FormView& view, const forms::Control& control) {
  QString caption = view.labelOf(&control) ? view.labelOf(&control)->text()
                                           : qText(control.desc().heading);
  if (caption.endsWith(':')) caption.chop(1);
  return caption;
}

}  // namespace

KeptInView::KeptInView(FormView& view, QScrollArea& scroll, QWidget* parent)
    : QFrame(parent), view_(view), scroll_(scroll) {
  setObjectName("keptInView");
  setFrameShape(QFrame::StyledPanel);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(12, 4, 12, 4);
  row->setSpacing(24);
  for (const auto& control : view.form().controls()) {
    FieldEditor* editor = control->desc().keptInView ? view.editorFor(control.get()) : nullptr;
    if (!editor) continue;
    auto* label = new QLabel(this);
    label->setObjectName(qText(control->name()));
    row->addWidget(label);
    figures_.emplace_back(editor, label);
  }
  row->addStretch();
  const auto follow = [this] { refresh(); };
  QObject::connect(scroll.verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
  QObject::connect(scroll.verticalScrollBar(), &QScrollBar::rangeChanged, this, follow);
  hide();
}

void KeptInView::refresh() {
  for (auto& [editor, label] : figures_)
    label->setText(captionOf(view_, editor->control()) + "  <b>" + qText(view_.session().displayText(editor->control())).toHtmlEscaped() +
                   "</b>");
  setVisible(anyOutOfView());
}

QStringList KeptInView::figures() const {
  QStringList texts;
  for (const auto& [editor, label] : figures_)
    texts << captionOf(view_, editor->control()) + " " + qText(view_.session().displayText(editor->control()));
  return texts;
}

bool KeptInView::anyOutOfView() const {
  QWidget* viewport = scroll_.viewport();
  for (const auto& [editor, label] : figures_) {
    QWidget* field = editor->widget();
    if (field->isHidden()) continue;
    const QRect at(field->mapTo(viewport, QPoint(0, 0)), field->size());
    if (!viewport->rect().contains(at)) return true;
  }
  return false;
}

}  // namespace corvena::ui
