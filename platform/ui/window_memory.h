#pragma once
// Where a clerk left a screen's window, kept per screen and user, so it opens
// there again the next time.

#include <string>

class QWidget;

namespace corvena::ui {

// False when there is none kept.
bool restoreWindowPlace(QWidget& window, const std::string& screen, const std::string& user);
void keepWindowPlace(const QWidget& window, const std::string& screen, const std::string& user);

}  // namespace corvena::ui
