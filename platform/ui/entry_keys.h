#pragma once
// Watches an editing widget for the two moments a typed value is entered:
// Enter, and the focus leaving for another control of the same window.

#include <QObject>
#include <functional>

namespace corvena::ui {

class EntryKeys : public QObject {
 public:
  EntryKeys(QObject* watched, std::function<void()> enter);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The editor goes before its widget: events after that enter nothing.
  void disarm() { enter_ = nullptr; }

 private:
  std::function<void()> enter_;
};

}  // namespace corvena::ui
