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
#include <sstream>
#include <variant>

#include "platform/db/database.h"
#include "platform/forms/entry_check.h"
#include "platform/forms/proc_ref.h"
#include "platform/forms/runtime_error.h"
#include "platform/ui/lookup_columns.h"
#include "platform/ui/message_box.h"
#include "platform/ui/modal_exec.h"
#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

std::string valueText(const db::Value& value) {
  if (std::holds_alternative<std::int64_t>(value))
    return std::to_string(std::get<std::int64_t>(value));
  if (std::holds_alternative<double>(value)) {
    std::ostringstream out;
    out << std::get<double>(value);
    return out.str();
  }
  if (std::holds_alternative<std::string>(value)) return std::get<std::string>(value);
  return {};
}

}  // namespace

std::string lookupCall(const forms::Session& session, const forms::Control& control) {
  const forms::ProcRef ref = forms::parseProcRef(control.property("pv"));
  std::string call = ref.procedure;
  std::string separator = " ";
  for (const auto& arg : ref.args) {
    call += separator + db::textLiteral(arg.isField ? session.valueOf(arg.text) : arg.text);
    separator = ", ";
  }
  return call + separator + db::textLiteral("%");
}

LookupRows fetchLookupRows(forms::Session& session, const forms::Control& control) {
  LookupRows out;
  db::Statement statement = session.database().run(lookupCall(session, control));
  for (int c = 0; c < statement.columnCount(); ++c) out.columns.push_back(statement.columnName(c));
  out.amounts.assign(out.columns.size(), false);
  while (statement.step()) {
    std::vector<std::string> row;
    for (int c = 0; c < statement.columnCount(); ++c) {
      const db::Value value = statement.column(c);
      if (std::holds_alternative<double>(value)) out.amounts[static_cast<std::size_t>(c)] = true;
      row.push_back(valueText(value));
    }
    out.rows.push_back(std::move(row));
  }
  return out;
}

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
                           LookupRows rows, QWidget* parent, const QString& title)
    : QDialog(parent), rows_(std::move(rows)) {
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
      rows_.columns, {control.fieldName(), control.property("heading")}, stdText(title));
  if (!columns.empty()) valueColumn_ = columns.front().index;
  table_->setColumnCount(static_cast<int>(columns.size()));
  table_->setRowCount(static_cast<int>(rows_.rows.size()));
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::size_t from = columns[c].index;
    const bool amount = from < rows_.amounts.size() && rows_.amounts[from];
    table_->setHorizontalHeaderItem(static_cast<int>(c),
                                    new QTableWidgetItem(qText(columns[c].heading)));
    for (std::size_t r = 0; r < rows_.rows.size(); ++r) {
      auto* item = new QTableWidgetItem(
          shownText(rows_.rows[r].at(from), amount, session.currencyDecimals()));
      if (amount) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      table_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  table_->resizeColumnsToContents();
  if (!rows_.rows.empty()) table_->selectRow(0);
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
  if (row < 0 || table_->isRowHidden(row) || rows_.rows.empty()) return std::nullopt;
  return rows_.rows[static_cast<std::size_t>(row)].at(valueColumn_);
}

std::optional<std::string> LookupDialog::choose(forms::Session& session,
                                                const forms::Control& control, QWidget* parent,
                                                const QString& title) {
  LookupRows rows;
  try {
    rows = fetchLookupRows(session, control);
  } catch (const std::exception& error) {
    showMessageBox(std::string("The possible values could not be listed. ") + error.what(), 48,
                   "Error", parent);
    return std::nullopt;
  }
  LookupDialog dialog(session, control, std::move(rows), parent, title);
  if (execModal(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.selectedValue();
}

}  // namespace corvena::ui
