#pragma once
// The process status log as a window: opened when a process starts, a line per
// step (error lines stand out), and kept open for reading after the process
// closes it, until the user dismisses it.

#include <QDialog>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace corvena::ui {

class StatusLogWindow : public QDialog {
 public:
  explicit StatusLogWindow(QWidget* parent = nullptr);

  void open(std::string_view title);
  void write(std::string_view text, int mode);
  void finish();

  bool running() const { return running_; }
  QString logText() const;
  int errorLines() const { return errorLines_; }
  // Escape or the window's close: only once the process has finished.
  void reject() override;

 private:
  QPlainTextEdit* log_;
  QPushButton* close_;
  bool running_ = false;
  int errorLines_ = 0;
};

}  // namespace corvena::ui
