#pragma once
// A date as a clerk types it: 2026-12-06, 12/06/2026, 12/6/26, 120626,
// 12062026, or "t" for the business date.

#include <QDate>
#include <QString>
#include <optional>

#include "platform/db/record.h"

namespace corvena::ui {

// The date typed; an invalid QDate for nothing typed; nothing when it is no date.
std::optional<QDate> typedDate(const QString& typed, const QDate& businessDate);
// The text to enter for what is typed: the ISO date where it is one, else as typed.
QString enteredDate(const QString& typed, const QDate& businessDate);
QDate qDate(const Date& date);

}  // namespace corvena::ui
