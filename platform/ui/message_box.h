#pragma once
// The host's message boxes drawn as Qt message boxes: the style's low digit
// picks the buttons, its 16s the icon; the answer is the host's number.

#include <QMessageBox>
#include <memory>
#include <string_view>

class QWidget;

namespace corvena::ui {

// Builds the box without showing it, so tests and callers can inspect it.
std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text, int style,
                                            std::string_view caption, QWidget* parent);
// The host answer for the button the user pressed (1 OK, 2 Cancel, 6 Yes, 7 No ...).
int hostAnswer(QMessageBox::StandardButton button);
// Shows the box modally and returns the host answer.
int showMessageBox(std::string_view text, int style, std::string_view caption, QWidget* parent);

}  // namespace corvena::ui
