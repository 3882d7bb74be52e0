#include "platform/ui/window_memory.h"

#include <QSettings>
#include <QWidget>

#include "platform/ui/qt_text.h"

namespace corvena::ui {

namespace {

QString keyOf(const std::string& screen, const std::string& user) {
  return "windows/" + qText(screen) + "/" + qText(user.empty() ? "-" : user);
}

QSettings store() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, "Corvena", "desktop");
}

}  // namespace

bool restoreWindowPlace(QWidget& window, const std::string& screen, const std::string& user) {
  const QByteArray kept = store().value(keyOf(screen, user)).toByteArray();
  return !kept.isEmpty() && window.restoreGeometry(kept);
}

void keepWindowPlace(const QWidget& window, const std::string& screen, const std::string& user) {
  store().setValue(keyOf(screen, user), window.saveGeometry());
}

}  // namespace corvena::ui
