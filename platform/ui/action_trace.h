#pragma once
// What a clerk's action did, for the status line: whether it saved (itself,
// or through a form it opened: a second form's OK), and the last line it wrote
// to the process status log (a release says where it went).

#include <QString>
#include <cstddef>

#include "platform/forms/session.h"

namespace corvena::ui {

class ActionTrace {
 public:
  // Taken before the action.
  explicit ActionTrace(const forms::Session& session);
  // A save was done since.
  bool saved() const;
  // The status log's last line written since, or empty.
  QString logged() const;

 private:
  const forms::Session* session_;
  std::size_t saves_;
  std::size_t logLines_;
};

}  // namespace corvena::ui
