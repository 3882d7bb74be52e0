#pragma once
// What a session shows a person goes through this interface: the headless
// implementation records and prints it, the desktop renderer draws it.

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvena::forms {

class Control;
class Form;

// Message box styles and answers.
inline constexpr int kStylePlain = 0;
inline constexpr int kStyleYesNoCancel = 3;
inline constexpr int kStyleYesNo = 4;
inline constexpr int kStyleWarning = 48;
// The second button is the default: a question that can lose work defaults to No.
inline constexpr int kStyleDefaultSecond = 256;
inline constexpr int kStyleYesNoSafe = kStyleYesNo | kStyleDefaultSecond;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// Status codes and line modes of the process status log.
inline constexpr int kStatusOpen = -3;
inline constexpr int kStatusWrite = -4;
inline constexpr int kStatusClose = -2;
inline constexpr int kStatusProgress = 2;
inline constexpr int kStatusError = 3;

// A line of the process status log.
struct StatusLine {
  int mode = 0;
  std::string text;
};

// A table a screen hands the clerk to read beside its form (an import's
// review): a script run prints each row as a line starting with the tag.
struct Report {
  std::string caption;
  std::string tag;
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;
  std::string summary;
};

class Ui {
 public:
  virtual ~Ui() = default;
  // Shows a message box and returns the answer: kAnswerOk, or for kStyleYesNo
  // kAnswerYes / kAnswerNo.
  virtual int messageBox(std::string_view text, int style, std::string_view caption) = 0;
  // One call of the process status log (open, write a line, close).
  virtual void status(int code, std::string_view text, int mode) = 0;

  // Presentation notices; the headless session needs none of them.
  virtual void fieldsShown(const std::vector<Control*>& controls) { (void)controls; }
  virtual void linesChanged(Control& grid) { (void)grid; }
  virtual void propertyChanged(Control& control, std::string_view property) {
    (void)control;
    (void)property;
  }
  virtual void buttonsChanged() {}
  // Long work on this one thread (rows read, host screens answering): how
  // much is done so far, told a few times a second once it has taken a
  // moment. A desk shows it and keeps its windows painted.
  virtual void working(std::size_t done) { (void)done; }
  // How long work goes on before it is told, and then how often.
  virtual std::chrono::milliseconds workNoticedAfter() const {
    return std::chrono::milliseconds(150);
  }
  // The event that was told as work has ended.
  virtual void workEnded() {}
  // The file a person picks to open; empty when they pick none.
  virtual std::string chooseFile(std::string_view caption, std::string_view filter) {
    (void)caption;
    (void)filter;
    return {};
  }
  // Shows a report beside the form; the form stays in use meanwhile.
  virtual void report(const Report& report) { (void)report; }
  // A modal show returns when the form is hidden again in an interactive
  // renderer; the headless one returns at once (the driver goes on with the form).
  virtual void formShown(Form& form, bool modal) {
    (void)form;
    (void)modal;
  }
  virtual void formHidden(Form& form) { (void)form; }
  // Whether the framework asks before it drops or deletes what the clerk sees
  // (a person at a desk); a script says what it means and is not asked.
  virtual bool asksBeforeDropping() const { return false; }
  // True when formShown(modal) waits until the form is hidden.
  virtual bool waitsForForms() const { return false; }
  // Before a read of the file descriptor that may wait: a desk keeps its
  // windows painted until there is something to read.
  virtual void awaitInput(int fd) { (void)fd; }
};

}  // namespace corvena::forms
