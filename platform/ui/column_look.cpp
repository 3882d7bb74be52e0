#include "platform/ui/column_look.h"

#include <QStringList>
#include <algorithm>

#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

using forms::ControlClass;

// Room either side of a value, and of a heading with its sort and resize marks.
constexpr int kCellMargin = 12;
constexpr int kHeadingMargin = 16;
// Short text is a code or a number (customer, reference): as wide as digits.
constexpr int kCodeChars = 20;
constexpr int kCodeShown = 12;
constexpr int kMostChars = 40;

int textChars(const forms::Session& session, const forms::Control& column) {
  const std::string mask = column.property("mask");
  if (!mask.empty()) return static_cast<int>(mask.size());
  const FieldDesc* field = session.fieldOf(column);
  return field && field->type == FieldType::Text ? static_cast<int>(field->width) : 10;
}

int valueWidth(const forms::Session& session, const forms::Control& column,
               const QFontMetrics& fm) {
  int widest = 0;
  for (const auto& item : forms::parseList(column.property("list")))
    widest = std::max(widest, fm.horizontalAdvance(qText(item.caption)));
  if (widest > 0) return widest;
  switch (column.cls()) {
    case ControlClass::Float:
      return fm.horizontalAdvance("99999999.99");
    case ControlClass::Date:
      return fm.horizontalAdvance("0000-00-00");
    case ControlClass::Check:
      return fm.height();
    default:
      break;
  }
  const int chars = std::min(textChars(session, column), kMostChars);
  // A code is seldom as long as its field allows: the usual ones read whole.
  return chars <= kCodeChars ? fm.horizontalAdvance(QString(std::min(chars, kCodeShown), '0'))
                             : fm.averageCharWidth() * chars;
}

// The heading broken at the space that leaves its longer line shortest.
QString onTwoLines(const QString& heading, const QFontMetrics& fm, int& width) {
  QString best = heading;
  width = fm.horizontalAdvance(heading);
  for (qsizetype at = heading.indexOf(' '); at > 0; at = heading.indexOf(' ', at + 1)) {
    const int longer =
        std::max(fm.horizontalAdvance(heading.left(at)), fm.horizontalAdvance(heading.mid(at + 1)));
    if (longer >= width) continue;
    width = longer;
    best = heading.left(at) + "\n" + heading.mid(at + 1);
  }
  return best;
}

}  // namespace

QString columnTitle(const forms::Control& column) {
  const std::string heading = column.property("heading");
  return qText(heading.empty() ? column.name() : heading);
}

ColumnLook columnLook(const forms::Session& session, const forms::Control& column,
                      const QFontMetrics& cells, const QFontMetrics& heading) {
  const int value = valueWidth(session, column, cells) + kCellMargin;
  ColumnLook look{columnTitle(column), heading.horizontalAdvance(columnTitle(column))};
  if (look.width + kHeadingMargin > value) look.title = onTwoLines(look.title, heading, look.width);
  look.width = std::max(look.width + kHeadingMargin, value);
  return look;
}

}  // namespace corvena::ui
