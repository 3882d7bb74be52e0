#include "platform/ui/typed_date.h"

#include <QRegularExpression>

namespace corvena::ui {

namespace {

// Two-digit years fall in 1980-2079.
int fullYear(int year, qsizetype digits) {
  if (digits > 2) return year;
  return year < 80 ? 2000 + year : 1900 + year;
}

std::optional<QDate> validDate(int year, int month, int day) {
  const QDate date(year, month, day);
  if (!date.isValid()) return std::nullopt;
  return date;
}

}  // namespace

std::optional<QDate> typedDate(const QString& typed, const QDate& businessDate) {
  const QString text = typed.trimmed();
  if (text.isEmpty()) return QDate();
  if (text.compare("t", Qt::CaseInsensitive) == 0) return businessDate;
  static const QRegularExpression iso(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)");
  static const QRegularExpression slashed(R"(^(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})$)");
  static const QRegularExpression digits(R"(^(\d{2})(\d{2})(\d{2}|\d{4})$)");
  if (const auto m = iso.match(text); m.hasMatch())
    return validDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
  for (const auto* pattern : {&slashed, &digits}) {
    if (const auto m = pattern->match(text); m.hasMatch())
      return validDate(fullYear(m.captured(3).toInt(), m.capturedLength(3)),
                       m.captured(1).toInt(), m.captured(2).toInt());
  }
  return std::nullopt;
}

QString enteredDate(const QString& typed, const QDate& businessDate) {
  const auto date = typedDate(typed, businessDate);
  if (!date) return typed.trimmed();
  return date->isValid() ? date->toString(Qt::ISODate) : QString();
}

QDate qDate(const Date& date) {
  return QDate(date.year, date.month, date.day);
}

}  // namespace corvena::ui
