#include "platform/ar/host_batch.h"

#include "platform/forms/messages.h"

#include "platform/ar/ledger.h"
#include "platform/ar/ledger_sql.h"

namespace corvena::ar {

namespace {

using C = forms::ControlClass;

forms::ControlDesc label(const char* name, const char* caption, const char* parent) {
  return {.cls = C::Label, .name = name, .caption = caption, .parent = parent};
}

std::array<std::string, 3> keyOf(const ARDoc& document) {
  return {document.CustId.trimmed(), document.DocType.trimmed(), document.RefNbr.trimmed()};
}

}  // namespace

forms::ControlDesc boundControl(forms::ControlClass cls, const char* name, const char* field,
                                const char* level, const char* heading, const char* parent,
                                bool enabled) {
  return {.cls = cls, .name = name, .fieldname = field, .level = level, .enabled = enabled,
          .heading = heading, .parent = parent};
}

std::vector<forms::ControlDesc> batchControls(const std::string& screen, const std::string& levels) {
  const std::string nav = screen == "08010" ? "ARBatch_Invoices" : "ARBatch_Payments";
  return {
      {.cls = C::Update, .name = "Update1", .levels = levels},
      {.cls = C::Frame, .name = "frmBatch", .caption = "Batch"},
      label("lBatNbr", "Batch Number:", "frmBatch"),
      {.cls = C::MaskedText, .name = "cBatNbr", .fieldname = "bBatch.BatNbr", .level = "0,k",
       .mask = std::string(10, 'X'), .pv = nav, .dbnav = nav, .heading = "Batch Number",
       .parent = "frmBatch"},
      label("lbathandling", "Handling:", "frmBatch"),
      {.cls = C::Combo, .name = "cbathandling", .fieldname = "bBatch.Handling", .level = "0",
       .defaultValue = "H", .heading = "Handling", .list = "H;Hold,R;Release Now",
       .parent = "frmBatch"},
      label("lctrltot", "Control Total:", "frmBatch"),
      {.cls = C::Float, .name = "cctrltot", .fieldname = "bBatch.CtrlTot", .level = "0",
       .heading = "Control Total", .min = 0.0, .max = 999999999.99, .parent = "frmBatch"},
      label("lcrtot", "Batch Total:", "frmBatch"),
      {.cls = C::Float, .name = "ccrtot", .fieldname = "bBatch.CrTot", .level = "0",
       .enabled = false, .heading = "Batch Total", .parent = "frmBatch"},
      label("lPerPost", "Period to Post:", "frmBatch"),
      {.cls = C::MaskedText, .name = "cPerPost", .fieldname = "bBatch.PerPost", .level = "0",
       .mask = "999999", .blankerr = true, .period = true, .defaultValue = "bARSetup.CurrPerNbr",
       .heading = "Period to Post", .parent = "frmBatch"},
      {.cls = C::Button, .name = "cmdComplete", .caption = "Complete Batch", .parent = "frmBatch"},
      {.cls = C::Label, .name = "lErrorText", .parent = "frmBatch"},
  };
}

HostBatch::HostBatch(forms::Form& form, std::string screen)
    : session_(form.session()), form_(form), screen_(std::move(screen)) {
  form.control("cmdComplete").onClick([this] { session_.updates().newRecord(0); });
  auto& update = form.control("Update1");
  update.onDeleteRequested([this](int level) { return deleteRequested(level); });
  // A document deleted, or the level started anew, is out of the total shown.
  update.onLevelReset([this](int) { showTotal(); });
  form.control("cbathandling").onValueCheck([this](std::string& text) {
    if (text != "R" || session_.updates().rights().release) return 0;
    session_.messages().message(forms::kMsgNoRights, {"release batches"});
    return forms::kSilentRefusal;
  });
}

void HostBatch::load() {
  for (auto* r : {&bBatch, &nBatch}) blankRecord(*r);
  for (auto* r : {&bARSetup, &nARSetup}) blankRecord(*r);
  session_.bindRecord(0, "bBatch", bBatch, nBatch);
  session_.bindRecord(15, "bARSetup", bARSetup, nARSetup);
  session_.cursors().openCursor(cursor, 0, "CSR_BATCH", "Batch");
  session_.cursors().openCursor(setupCursor, 15 | forms::kCursorReadOnly, "CSR_ARSETUP", "ARSetup");
  session_.cursors().openCursor(work, 15, "CSR_WORK", "");
  session_.cursors().fetchFirst(setupCursor, "arsetup_all", {bARSetup});
  session_.updates().setAutoNumber(form_.control("cBatNbr"), "ARBatch", {});
}

bool HostBatch::prepareSave() {
  if (released()) {
    session_.messages().messageBox(
        "Batch " + bBatch.BatNbr.trimmed() + " is released; it cannot be changed.",
        forms::kStyleWarning, "Message");
    return false;
  }
  bBatch.Module = "AR";
  bBatch.EditScrnNbr = screen_;
  bBatch.BatType = "N";
  if (bBatch.Status.blank()) bBatch.Status = "H";
  stamp(bBatch);
  noteSaving();
  return true;
}

// Within the save, before its document is written.
void HostBatch::noteSaving() {
  const std::string batch = bBatch.BatNbr.trimmed();
  saving_.reset();
  if (document_ && !document_->RefNbr.blank() && stored_ && stored_->batch == batch &&
      stored_->writes == session_.updates().writesDone())
    saving_ = Saving{keyOf(*document_), storedAmount(batch, keyOf(*document_))};
}

void HostBatch::trackDocument(const ARDoc& document, std::function<bool()> counts) {
  document_ = &document;
  counts_ = std::move(counts);
}

void HostBatch::onDocumentDeleted(std::function<void()> also) {
  documentDeleted_ = std::move(also);
}

// What AR released stays: a released batch, and a released document on the
// screen (a credit selected to apply; a recalled batch is released whole). A
// batch still holding documents or applications stays too: they would be left
// without it.
int HostBatch::deleteRequested(int level) {
  std::string why;
  if (level <= 1 && released())
    why = "Batch " + bBatch.BatNbr.trimmed() + " is released; it cannot be changed.";
  else if (level == 1 && document_ && document_->Rlsed != 0)
    why = document_->DocType.trimmed() + " " + document_->RefNbr.trimmed() + " of " +
          document_->CustId.trimmed() +
          " is released and stays in AR; to take it out of this batch, clear what it applies"
          " and save.";
  else if (level == 0 && holdsDocuments())
    why = "Batch " + bBatch.BatNbr.trimmed() +
          " still holds documents or applications; take them out first.";
  if (!why.empty()) {
    session_.messages().messageBox(why, forms::kStyleWarning, "Message");
    return forms::kSilentRefusal;
  }
  if (level == 1 && documentDeleted_) documentDeleted_();
  return 0;
}

void HostBatch::showTotal() {
  const bool current = document_ && counts_ && counts_() && !document_->RefNbr.blank();
  const std::string batch = bBatch.BatNbr.trimmed();
  double total = storedTotal(batch);
  // The document on the screen counts as typed, not as stored.
  if (current) total += document_->OrigDocAmt - storedAmount(batch, keyOf(*document_));
  bBatch.CrTot = cents(total);
  session_.displayFields({&form_.control("ccrtot")});
}

bool HostBatch::holdsDocuments() {
  const std::string batch = bBatch.BatNbr.trimmed();
  return !batch.empty() && query(session_.database(),
                                "SELECT 1 FROM ARDoc WHERE BatNbr = ?1 UNION ALL"
                                " SELECT 1 FROM ARAdjust WHERE AdjBatNbr = ?1 AND Rlsed = 0",
                                {batch})
                              .step();
}

double HostBatch::storedTotal(const std::string& batch) {
  if (batch.empty()) return 0;
  const std::size_t writes = session_.updates().writesDone();
  const bool current = stored_ && stored_->batch == batch;
  // A document numbered by its own save is read with the rest.
  if (current && stored_->writes + 1 == writes && saving_ && document_ &&
      saving_->key == keyOf(*document_)) {
    stored_->sum += storedAmount(batch, saving_->key) - saving_->before;
    stored_->writes = writes;
  }
  saving_.reset();
  if (current && stored_->writes == writes) return stored_->sum;
  db::Statement st = query(session_.database(),
                           "SELECT COALESCE(SUM(OrigDocAmt), 0) FROM ARDoc WHERE BatNbr = ?1",
                           {batch});
  const db::Value v = st.step() ? st.column(0) : db::Value{};
  stored_ = StoredTotal{batch, writes, std::holds_alternative<double>(v) ? std::get<double>(v) : 0};
  return stored_->sum;
}

double HostBatch::storedAmount(const std::string& batch, const std::array<std::string, 3>& key) {
  if (batch.empty()) return 0;
  db::Statement st = query(session_.database(),
                           "SELECT OrigDocAmt FROM ARDoc WHERE CustId = ?1 AND DocType = ?2"
                           " AND RefNbr = ?3 AND BatNbr = ?4",
                           {key[0], key[1], key[2], batch});
  const db::Value v = st.step() ? st.column(0) : db::Value{};
  return std::holds_alternative<double>(v) ? std::get<double>(v) : 0;
}

int HostBatch::complete() {
  auto& errorText = form_.control("lErrorText");
  if (session_.updates().hasUnsavedWork() && !session_.updates().save())
    return forms::kSilentRefusal;
  if (bBatch.BatNbr.blank() || released()) return 0;
  db::Database& db = session_.database();
  db::Statement stored = query(db, "SELECT Handling FROM Batch WHERE Module = 'AR' AND BatNbr = ?1",
                               {bBatch.BatNbr.trimmed()});
  if (!stored.step()) return 0;
  // What is written as the batch's total is read as it stands now.
  stored_.reset();
  showTotal();
  execute(db, "UPDATE Batch SET CrTot = ?2, tstamp = tstamp + 1 WHERE Module = 'AR' AND BatNbr = ?1",
          {bBatch.BatNbr.trimmed(), bBatch.CrTot});
  std::string why = "Batch " + bBatch.BatNbr.trimmed() + " is on hold: it was saved, not released.";
  if (std::get<std::string>(stored.column(0)) == "R")
    why = releaseBatch(db, bBatch.BatNbr.trimmed(),
                       Releaser{session_.pes().UserId.trimmed(), screen_, session_.businessDate(),
                                session_.updates().rights().release});
  session_.setProperty(errorText, "caption", why);
  if (!why.empty()) session_.messages().status(forms::kStatusWrite, 0, why, forms::kStatusError);
  return 0;
}

// The host's rows name the screen by its short number ("08010"), not the program.
db::AuditStamp HostBatch::stamp() const {
  return {session_.businessDate(), screen_, session_.pes().UserId.trimmed()};
}

}  // namespace corvena::ar
