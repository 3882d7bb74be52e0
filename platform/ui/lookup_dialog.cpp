#include "platform/ui/lookup_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "platform/forms/entry_check.h"
#include "platform/forms/runtime_error.h"
#include "platform/ui/lookup_columns.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_exec.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

QString shownText(const std::string& raw, bool amount, int decimals) {
  // The blank date is no date.
  if (raw == "1900-01-01") return {};
  if (!amount) return qText(raw);
  bool ok = false;
  const double value = qText(raw).toDouble(&ok);
  return ok ? QString::number(value, 'f', decimals) : qText(raw);
}

}  // namespace

LookupDialog::LookupDialog(const forms::Session& session, const forms::Control& control,
                           forms::LookupList list, QWidget* parent, const QString& title)
    : QDialog(parent), list_(std::move(list)) {
  const QString field = title.isEmpty() ? qText(forms::controlLabel(control)) : title;
  setWindowTitle("Possible Values - " + field);
  resize(560, 380);
  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText("Type to narrow the list");
  table_ = new QTableWidget(this);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  fillTable(session, control, field);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& t) { applyFilter(t); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filter_);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  filter_->setFocus();
  fitColumns();
}

void LookupDialog::fitColumns() {
  int width = 2 * table_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 32;
  for (int c = 0; c < table_->columnCount(); ++c) width += table_->columnWidth(c);
  if (const QScreen* display = parentWidget() ? parentWidget()->screen() : screen())
    width = std::min(width, display->availableGeometry().width() - 40);
  if (width > this->width()) resize(width, height());
}

void LookupDialog::fillTable(const forms::Session& session, const forms::Control& control,
                             const QString& title) {
  const auto columns = shownLookupColumns(
      list_.columns, list_.valueColumn,
      title.isEmpty() ? forms::controlLabel(control) : stdText(title));
  table_->setColumnCount(static_cast<int>(columns.size()));
  table_->setRowCount(static_cast<int>(list_.rows.size()));
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::size_t from = columns[c].index;
    table_->setHorizontalHeaderItem(static_cast<int>(c),
                                    new QTableWidgetItem(qText(columns[c].heading)));
    for (std::size_t r = 0; r < list_.rows.size(); ++r) {
      const db::Value& value = list_.rows[r].at(from);
      const bool amount = std::holds_alternative<double>(value);
      auto* item = new QTableWidgetItem(shownText(forms::valueText(value), amount,
                                                  session.currencyDecimals()));
      if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  table_->resizeColumnsToContents();
  if (!list_.rows.empty()) table_->selectRow(0);
}

void LookupDialog::applyFilter(const QString& text) {
  int first = -1;
  for (int r = 0; r < table_->rowCount(); ++r) {
    bool match = text.isEmpty();
    for (int c = 0; !match && c < table_->columnCount(); ++c)
      match = table_->item(r, c) && table_->item(r, c)->text().contains(text, Qt::CaseInsensitive);
    table_->setRowHidden(r, !match);
    if (match && first < 0) first = r;
  }
  if (first >= 0) table_->selectRow(first);
}

std::optional<std::string> LookupDialog::selectedValue() const {
  const int row = table_->currentRow();
  if (row < 0 || table_->isRowHidden(row) || list_.rows.empty()) return std::nullopt;
  return list_.value(static_cast<std::size_t>(row));
}

std::optional<std::string> LookupDialog::choose(forms::Session& session,
                                                const forms::Control& control, QWidget* parent,
                                                const QString& title) {
  forms::LookupList list;
  try {
    list = forms::lookupList(session, control);
  } catch (const std::exception& error) {
    showMessageBox(std::string("The possible values could not be listed. ") + error.what(),
                   forms::kStyleWarning, "Error", parent);
    return std::nullopt;
  }
  LookupDialog dialog(session, control, std::move(list), parent, title);
  if (execModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.selectedValue();
}

}  // namespace corvena::ui
