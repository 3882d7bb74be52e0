#pragma once
// One screen session: its forms, bound records and user interface, and the
// parts it owns and hands out (the update control, grids, cursors, messages).
// Everything a person, a script or automation does goes through the same
// functions here and in its parts, and the plain host functions act on the
// current session (SessionScope switches it).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/host_records.h"
#include "platform/db/record.h"
#include "platform/forms/control.h"
#include "platform/forms/cursors.h"
#include "platform/forms/form.h"
#include "platform/forms/grids.h"
#include "platform/forms/line_array.h"
#include "platform/forms/message_log.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/screen_rights.h"
#include "platform/forms/ui.h"
#include "platform/forms/update_control.h"
#include "platform/forms/update_levels.h"

namespace corvena::forms {

// A record bound with SetAddr under a buffer name.
struct BoundRecord {
  int level = 15;
  std::string name;
  RecordRef record;
  RecordRef nullRecord;  // may be empty: blanking then uses the layout's null image
};

class Session {
 public:
  explicit Session(std::shared_ptr<db::Database> database = nullptr,
                   std::unique_ptr<Ui> ui = nullptr);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // --- database, user interface, sign-on ---
  void setDatabase(std::shared_ptr<db::Database> database);
  bool hasDatabase() const;
  db::Database& database() const;  // throws RuntimeError when none is attached
  Ui& ui() const { return *ui_; }
  // The interface it replaced; none given, none replaced.
  std::unique_ptr<Ui> setUi(std::unique_ptr<Ui> ui);
  // The sign-on records, bound at level 15 as "bpes" and "bcuryinfo" from the
  // start; start-up fills them from the sign-on context.
  corvena::bpes& pes() { return pes_; }
  const corvena::bpes& pes() const { return pes_; }
  corvena::bcuryinfo& curyInfo() { return curyInfo_; }
  // The business date (DateToday): bpes.Today, or the system date while blank.
  Date businessDate() const;
  void setBusinessDate(Date date) { pes_.Today = date; }
  // The currency's decimals (bcuryinfo.DecPl, 2 until start-up sets it).
  int currencyDecimals() const { return curyInfo_.DecPl; }

  // --- forms and controls ---
  // The first form loaded is the main form. Raising its load handler is the
  // start-up's (it runs after the caller has registered it).
  Form& loadForm(const FormDesc& desc);
  // Raises the form's load handler. A screen whose load read no record then
  // opens on a new one, defaults applied, as after New.
  void raiseLoad(Form& form);
  void unloadForm(Form& form);
  Form& mainForm() const;
  Form* findForm(std::string_view name) const;
  const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }
  // By name across all forms (main form first), case-insensitive.
  Control* findControl(std::string_view name) const;
  Control& control(std::string_view name) const;  // throws RuntimeError
  Control* updateControl() const;                 // the main form's
  void showForm(Form& form, bool modal);
  void hideForm(Form& form);

  // --- records ---
  void bindRecord(int level, std::string_view name, RecordRef record, RecordRef nullRecord);
  const BoundRecord* findRecord(std::string_view name) const;  // case-insensitive
  const std::vector<BoundRecord>& records() const { return records_; }
  // A control's field, resolved by name; nullptr when unbound or unresolved.
  const FieldDesc* fieldOf(const Control& control, RecordRef* record = nullptr) const;
  // "buffer.field" read as text ("" when it does not resolve).
  std::string valueOf(std::string_view bufferField) const;

  // --- the user's path ---
  // Types text into a control and leaves it: mask and type check, ValueCheck,
  // blank check, possible-value check, store, ValueDisplayed, totals. False
  // when refused (field and records unchanged).
  bool enterValue(Control& control, std::string_view text);
  // Ticks or clears a check box ("1"/"0") or picks an option: same path.
  // A button or a grid (its current line double-clicked) raises its click.
  bool click(Control& control);
  int lastErrorLevel() const { return lastErrorLevel_; }
  // What the control shows: the field's text (combo: its value; float: the
  // value with the field's decimals), or a label's caption; a secret one's as stars.
  std::string displayText(const Control& control) const;

  // --- display and properties ---
  void displayFields(const std::vector<Control*>& controls);
  void setProperty(Control& control, std::string_view property, std::string_view value);

  // One step of long work within the current event (a row read, a host
  // screen's answer); the renderer hears of it when the event takes long.
  void noteWork();
  // The outermost event is over: the renderer hears that its work ended.
  void endWork();

  // --- the parts it hands out ---
  MessageLog& messages() const { return *messages_; }
  Cursors& cursors() const { return *cursors_; }
  Grids& grids() const { return *grids_; }
  UpdateControl& updates() const { return *updates_; }

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::shared_ptr<db::Database> db_;
  std::unique_ptr<Ui> ui_;
  corvena::bpes pes_{};
  corvena::bcuryinfo curyInfo_{};
  std::vector<std::unique_ptr<Form>> forms_;
  std::vector<BoundRecord> records_;
  int lastErrorLevel_ = 0;
  long nextWindow_ = 1000;
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<MessageLog> messages_;
  std::unique_ptr<Cursors> cursors_;
  std::unique_ptr<Grids> grids_;
  std::unique_ptr<UpdateControl> updates_;
};

// The session the plain host functions act on.
Session* currentSession();
Session& session();  // throws RuntimeError when there is none

// Makes a session current for its lifetime, then restores the previous one.
class SessionScope {
 public:
  explicit SessionScope(Session& s);
  ~SessionScope();
  SessionScope(const SessionScope&) = delete;
  SessionScope& operator=(const SessionScope&) = delete;

 private:
  Session* previous_;
};

}  // namespace corvena::forms
