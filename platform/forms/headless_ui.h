#pragma once
// The headless user interface: keeps every message box and status-log line,
// optionally prints them in the screen-script output format, and answers
// questions from a queue the driver or a test fills.

#include <deque>
#include <ostream>
#include <string>
#include <vector>

#include "platform/forms/ui.h"

namespace corvena::forms {

struct ShownMessage {
  std::string text;
  int style = 0;
  std::string caption;
  int answer = kAnswerOk;
};

class HeadlessUi : public Ui {
 public:
  // `out`, when given, receives "MESSAGE <caption> (<style>): <text>" and
  // "STATUS <mode>: <text>" lines.
  explicit HeadlessUi(std::ostream* out = nullptr) : out_(out) {}

  int messageBox(std::string_view text, int style, std::string_view caption) override;
  void status(int code, std::string_view text, int mode) override;
  // The next file queued, else none.
  std::string chooseFile(std::string_view caption, std::string_view filter) override;
  // "<tag> <cells joined by |>" a row, then "<tag> <summary>".
  void report(const Report& report) override;

  // The answer to the next question (kAnswerYes or kAnswerNo).
  void queueAnswer(int answer) { answers_.push_back(answer); }
  // The answer when the queue is empty; kAnswerNo unless set.
  void setDefaultAnswer(int answer) { defaultAnswer_ = answer; }
  // The file the next chooseFile picks.
  void queueFile(std::string path) { files_.push_back(std::move(path)); }
  // Files queued and never asked for go.
  void dropFiles() { files_.clear(); }
  const std::vector<Report>& reports() const { return reports_; }

  bool asksBeforeDropping() const override { return asks_; }
  // Lets a test stand in for a person at a desk.
  void setAsksBeforeDropping(bool asks) { asks_ = asks; }

  const std::vector<ShownMessage>& messages() const { return messages_; }
  const std::vector<StatusLine>& statusLines() const { return statusLines_; }
  // Every MESSAGE and STATUS line as printed, in the order shown.
  const std::vector<std::string>& shownLines() const { return shownLines_; }
  bool statusOpen() const { return statusOpen_; }
  void clear();

 private:
  std::ostream* out_;
  std::deque<int> answers_;
  std::deque<std::string> files_;
  std::vector<Report> reports_;
  int defaultAnswer_ = kAnswerNo;
  std::vector<ShownMessage> messages_;
  std::vector<StatusLine> statusLines_;
  std::vector<std::string> shownLines_;
  bool statusOpen_ = false;
  bool asks_ = false;
  void shown(std::string line);
};

}  // namespace corvena::forms
