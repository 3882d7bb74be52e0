#pragma once
// Runs a dialog modally and gives the focus back where it was. Without a
// window manager nobody else does: the clerk's keys would go nowhere until a
// click.

class QDialog;

namespace corvena::ui {

int execModal(QDialog& dialog);

}  // namespace corvena::ui
