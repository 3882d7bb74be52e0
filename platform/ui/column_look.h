#pragma once
// How a grid column is drawn: as wide as the widest value it can hold, drawn
// in the table's own font (an amount's digits, a date, the longest caption of
// its list, its mask's or field's characters), the same on every reload; a
// heading wider than that goes on two lines rather than widening the column.

#include <QFontMetrics>
#include <QString>

#include "platform/forms/session.h"

namespace corvena::ui {

// The column's heading on one line, its name when it has none.
QString columnTitle(const forms::Control& column);

struct ColumnLook {
  QString title;
  int width = 0;
};

ColumnLook columnLook(const forms::Session& session, const forms::Control& column,
                      const QFontMetrics& cells, const QFontMetrics& heading);

}  // namespace corvena::ui
