#pragma once
// Text between the framework (8-bit std::string) and Qt.

#include <QString>
#include <string>
#include <string_view>

namespace corvena::ui {

inline QString qText(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string stdText(const QString& s) {
  return s.toStdString();
}

}  // namespace corvena::ui
