#include "platform/ui/grid_print.h"

#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextDocument>
#include <vector>

#include "platform/ui/form_view.h"
#include "platform/ui/grid_view.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/typed_date.h"

namespace corvena::ui {

namespace {

// Visible columns in the order the clerk sees them.
std::vector<int> columnsShown(const QTableWidget& table) {
  std::vector<int> shown;
  for (int visual = 0; visual < table.columnCount(); ++visual) {
    const int col = table.horizontalHeader()->logicalIndex(visual);
    if (!table.isColumnHidden(col)) shown.push_back(col);
  }
  return shown;
}

std::vector<int> linesShown(const GridView& grid) {
  std::vector<int> rows;
  const int lines = static_cast<int>(grid.session().grids().lineCount(grid.grid()));
  for (int row = 0; row < lines; ++row)
    if (!grid.table()->isRowHidden(row)) rows.push_back(row);
  return rows;
}

QString cellShown(const QTableWidget& table, int row, int col) {
  const QTableWidgetItem* item = table.item(row, col);
  if (!item) return {};
  if (item->flags() & Qt::ItemIsUserCheckable || item->text().isEmpty())
    return item->checkState() == Qt::Checked ? "Yes" : item->text();
  return item->text().trimmed();
}

// A heading drawn on two lines reads on one in a file or on paper.
QString headingOf(const QTableWidget& table, int col) {
  return table.horizontalHeaderItem(col)->text().replace('\n', ' ');
}

QString csvField(const QString& text) {
  if (!text.contains(QRegularExpression("[\",\r\n]"))) return text;
  return "\"" + QString(text).replace("\"", "\"\"") + "\"";
}

bool isAmount(const GridView& grid, int col) {
  return grid.columns()[static_cast<std::size_t>(col)]->cls() == forms::ControlClass::Float;
}

const FormView* formViewOf(const GridView& grid) {
  for (QWidget* w = grid.parentWidget(); w; w = w->parentWidget())
    if (auto* view = dynamic_cast<const FormView*>(w)) return view;
  return nullptr;
}

QString fieldShown(const QWidget* widget) {
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->currentText();
  if (auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
  if (auto* inner = widget->findChild<QLineEdit*>()) return inner->text();
  return {};
}

// The header's labelled fields as the clerk sees them: label, value.
QString headerRows(const GridView& grid) {
  const FormView* view = formViewOf(grid);
  if (!view) return {};
  QString rows;
  for (const auto& control : view->form().controls()) {
    const QLabel* label = view->labelOf(control.get());
    const FieldEditor* editor = view->editorFor(control.get());
    if (!label || !editor || !editor->widget()->isVisibleTo(view)) continue;
    rows += "<tr><td>" + label->text().remove('&').toHtmlEscaped() + "</td><td><b>" +
            fieldShown(editor->widget()).toHtmlEscaped() + "</b></td></tr>";
  }
  return rows.isEmpty() ? QString() : "<table cellspacing=0 cellpadding=2>" + rows + "</table>";
}

QString linesTable(const GridView& grid) {
  const QTableWidget& table = *grid.table();
  const auto cols = columnsShown(table);
  QString html = "<table border=1 cellspacing=0 cellpadding=3 width=100%><tr>";
  for (int col : cols) html += "<th>" + headingOf(table, col).toHtmlEscaped() + "</th>";
  html += "</tr>";
  for (int row : linesShown(grid)) {
    html += "<tr>";
    for (int col : cols) {
      const QString text = cellShown(table, row, col);
      // An ID or an amount is read whole: only text with spaces wraps.
      const QString cell = QString(isAmount(grid, col) ? "<td align=right" : "<td") +
                           (text.contains(' ') ? ">" : " nowrap>");
      html += cell + text.toHtmlEscaped() + "</td>";
    }
    html += "</tr>";
  }
  return html + "</table>";
}

}  // namespace

QString csvText(GridView& grid) {
  grid.drawAll();
  const QTableWidget& table = *grid.table();
  const auto cols = columnsShown(table);
  QStringList lines;
  QStringList titles;
  for (int col : cols) titles << csvField(headingOf(table, col));
  lines << titles.join(",");
  for (int row : linesShown(grid)) {
    QStringList cells;
    for (int col : cols) cells << csvField(cellShown(table, row, col));
    lines << cells.join(",");
  }
  return lines.join("\r\n") + "\r\n";
}

bool writeCsv(GridView& grid, const QString& path, QString& why) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(csvText(grid).toUtf8()) < 0 || !file.flush()) {
    why = "The lines could not be written to " + path + ": " + file.errorString();
    return false;
  }
  return true;
}

QString editListHtml(GridView& grid) {
  grid.drawAll();
  const QString title = grid.window()->windowTitle().toHtmlEscaped();
  const QDate today = qDate(grid.session().businessDate());
  const auto lines = linesShown(grid);
  return "<html><body style=\"font-size:8pt\"><h3>" + title + " - Edit List</h3><p>Business date " +
         today.toString(Qt::ISODate) + ", " + QString::number(lines.size()) + " line(s)</p>" +
         headerRows(grid) + "<p></p>" + linesTable(grid) + "</body></html>";
}

void printEditList(GridView& grid, QPrinter& printer) {
  QTextDocument document;
  document.setHtml(editListHtml(grid));
  document.print(&printer);
}

}  // namespace corvena::ui
