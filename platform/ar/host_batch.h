#pragma once
// The batch level both host AR screens share: numbered by the host, handling
// "Hold" or "Release Now", a control total the clerk types against the total of
// the batch's documents, and completing it, which releases it when so asked.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/db/audit_stamp.h"
#include "platform/db/host_records.h"
#include "platform/forms/form.h"
#include "platform/forms/session.h"

namespace corvena::ar {

// A control bound to "buffer.field" at a level, headed for its label, in a frame or a grid.
forms::ControlDesc boundControl(forms::ControlClass cls, const char* name, const char* field,
                                const char* level, const char* heading, const char* parent,
                                bool enabled = true);

// The batch's controls and the update control; `screen` is "08010" or "08030".
std::vector<forms::ControlDesc> batchControls(const std::string& screen, const std::string& levels);

class HostBatch {
 public:
  HostBatch(forms::Form& form, std::string screen);
  HostBatch(const HostBatch&) = delete;
  HostBatch& operator=(const HostBatch&) = delete;

  // Binds the batch and AR setup records and numbers new batches.
  void load();
  // Stamps a batch about to be saved; false (with a message) when it may not be.
  bool prepareSave();
  // The document on the screen, counted in the batch total as it is typed.
  void trackDocument(const ARDoc& document, std::function<bool()> counts);
  // What goes with the document on the screen when the clerk deletes it, in
  // the deletion's transaction (a payment's applications).
  void onDocumentDeleted(std::function<void()> also);
  // The batch total shown again: the stored documents, the one on the screen as typed.
  void showTotal();
  // Saves what is pending, then releases the stored batch when its handling is
  // Release Now; the error text says why it was not released (empty when it was).
  int complete();
  // Stamps a row written by this screen.
  template <class R>
  void stamp(R& row) const {
    db::stampAudit(row, stamp());
  }
  bool released() const { return bBatch.Rlsed != 0; }

  Batch bBatch{}, nBatch{};
  ARSetup bARSetup{}, nARSetup{};
  forms::CursorHandle cursor, setupCursor, work;

 private:
  db::AuditStamp stamp() const;
  int deleteRequested(int level);
  bool holdsDocuments();
  double storedTotal(const std::string& batch);
  void noteSaving();
  double storedAmount(const std::string& batch, const std::array<std::string, 3>& key);
  forms::Session& session_;
  forms::Form& form_;
  std::string screen_;
  const ARDoc* document_ = nullptr;
  std::function<bool()> counts_;
  std::function<void()> documentDeleted_;
  // The batch's stored documents add up to `sum` as of this screen's
  // `writes`th write. A save moves it by what it wrote of its one document; any
  // other write reads the batch again. A batch of thousands of payments would
  // otherwise read all its documents at each one.
  struct StoredTotal {
    std::string batch;
    std::size_t writes;
    double sum;
  };
  std::optional<StoredTotal> stored_;
  // The document a save is writing (customer, type, reference) and what the
  // batch held of it before.
  struct Saving {
    std::array<std::string, 3> key;
    double before;
  };
  std::optional<Saving> saving_;
};

}  // namespace corvena::ar
