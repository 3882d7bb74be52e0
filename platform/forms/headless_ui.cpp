#include "platform/forms/headless_ui.h"

namespace corvena::forms {

int HeadlessUi::messageBox(std::string_view text, int style, std::string_view caption) {
  int answer = kAnswerOk;
  const int buttons = style & 0x0F;
  if (buttons == kStyleYesNo || buttons == kStyleYesNoCancel) {
    answer = defaultAnswer_;
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    }
  }
  messages_.push_back({std::string(text), style, std::string(caption), answer});
  shown("MESSAGE " + std::string(caption) + " (" + std::to_string(style) + "): " + std::string(text));
  return answer;
}

void HeadlessUi::status(int code, std::string_view text, int mode) {
  if (code == kStatusOpen) statusOpen_ = true;
  if (code == kStatusClose) statusOpen_ = false;
  if (code != kStatusWrite) return;
  statusLines_.push_back({mode, std::string(text)});
  shown("STATUS " + std::to_string(mode) + ": " + std::string(text));
}

std::string HeadlessUi::chooseFile(std::string_view caption, std::string_view filter) {
  (void)caption;
  (void)filter;
  if (files_.empty()) return {};
  std::string file = std::move(files_.front());
  files_.pop_front();
  return file;
}

void HeadlessUi::report(const Report& report) {
  reports_.push_back(report);
  if (!out_) return;
  for (const auto& row : report.rows) {
    *out_ << report.tag;
    for (std::size_t i = 0; i < row.size(); ++i) *out_ << (i ? " | " : " ") << row[i];
    *out_ << "\n";
  }
  if (!report.summary.empty()) *out_ << report.tag << " " << report.summary << "\n";
}

void HeadlessUi::shown(std::string line) {
  if (out_) *out_ << line << "\n";
  shownLines_.push_back(std::move(line));
}

void HeadlessUi::clear() {
  messages_.clear();
  statusLines_.clear();
  shownLines_.clear();
  reports_.clear();
}

}  // namespace corvena::forms
