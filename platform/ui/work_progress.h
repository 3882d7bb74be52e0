#pragma once
// Long work on the screen's one thread (a large grid loading, a release
// driving the host's screens, amounts cleared on every line): a progress
// window counting what is done, a busy cursor, and the windows kept painted
// meanwhile. The clerk's keys and clicks wait until the work is over.

#include <QPointer>
#include <QString>
#include <cstddef>

class QProgressDialog;
class QWidget;

namespace corvena::ui {

class WorkProgress {
 public:
  WorkProgress() = default;
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;
  ~WorkProgress();

  // done of total steps (total 0: not known); shows the window on first use.
  void step(QWidget* parent, const QString& what, std::size_t done, std::size_t total = 0);
  void end();
  QProgressDialog* window() const;

 private:
  QPointer<QProgressDialog> dialog_;
};

}  // namespace corvena::ui
