#include "platform/forms/session.h"

#include <chrono>
#include <utility>

#include "platform/forms/headless_ui.h"
#include "platform/forms/session_impl.h"
#include "platform/forms/text_util.h"

namespace corvena::forms {

namespace {
thread_local Session* current = nullptr;
}  // namespace

Session::Session(std::shared_ptr<db::Database> database, std::unique_ptr<Ui> ui)
    : db_(std::move(database)),
      ui_(ui ? std::move(ui) : std::make_unique<HeadlessUi>()),
      impl_(std::make_unique<Impl>()),
      messages_(std::make_unique<MessageLog>(*this)),
      cursors_(std::make_unique<Cursors>(*this)),
      grids_(std::make_unique<Grids>(*this)),
      updates_(std::make_unique<UpdateControl>(*this)) {
  blankRecord(pes_);
  blankRecord(curyInfo_);
  curyInfo_.DecPl = 2;
  bindRecord(15, "bpes", pes_, {});
  bindRecord(15, "bcuryinfo", curyInfo_, {});
}

// The UI goes first: a renderer taking its windows down still asks the whole session.
Session::~Session() {
  ui_.reset();
  if (current == this) current = nullptr;
}

void Session::setDatabase(std::shared_ptr<db::Database> database) {
  db_ = std::move(database);
}

bool Session::hasDatabase() const {
  return db_ != nullptr;
}

db::Database& Session::database() const {
  if (!db_) throw RuntimeError(kErrNoDatabase, "The screen is not connected to a database.");
  return *db_;
}

std::unique_ptr<Ui> Session::setUi(std::unique_ptr<Ui> ui) {
  if (!ui) return nullptr;
  return std::exchange(ui_, std::move(ui));
}

Date Session::businessDate() const {
  if (!pes_.Today.isBlank()) return pes_.Today;
  const auto now = std::chrono::system_clock::now();
  const std::chrono::year_month_day ymd{std::chrono::floor<std::chrono::days>(now)};
  Date d;
  d.year = static_cast<std::uint16_t>(static_cast<int>(ymd.year()));
  d.month = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month()));
  d.day = static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day()));
  return d;
}

Form& Session::loadForm(const FormDesc& desc) {
  impl_->triggers.reset();
  forms_.push_back(std::make_unique<Form>(*this, desc, nextWindow_++));
  Form& f = *forms_.back();
  return f;
}

void Session::unloadForm(Form& form) {
  if (!form.loaded_) return;
  form.loaded_ = false;
  form.shown_ = false;
  if (form.onUnload_)
    guarded(*this, 0, [&] {
      form.onUnload_();
      return 0;
    });
}

Form& Session::mainForm() const {
  if (forms_.empty()) throw RuntimeError(kErrNoSuchControl, "No form is loaded.");
  return *forms_.front();
}

Form* Session::findForm(std::string_view name) const {
  for (const auto& f : forms_)
    if (iequals(f->name(), name)) return f.get();
  return nullptr;
}

Control* Session::findControl(std::string_view name) const {
  for (const auto& f : forms_)
    if (Control* c = f->find(name)) return c;
  return nullptr;
}

Control& Session::control(std::string_view name) const {
  if (Control* c = findControl(name)) return *c;
  throw RuntimeError(kErrNoSuchControl, "No control " + std::string(name));
}

Control* Session::updateControl() const {
  return forms_.empty() ? nullptr : forms_.front()->updateControl();
}

void Session::showForm(Form& form, bool modal) {
  form.shown_ = true;
  if (modal && ui_->waitsForForms())
    waitAtModalForm(*this, form);
  else
    ui_->formShown(form, modal);
}

void Session::hideForm(Form& form) {
  form.shown_ = false;
  ui_->formHidden(form);
}

void Session::bindRecord(int level, std::string_view name, RecordRef record, RecordRef nullRecord) {
  if (!record)
    throw RuntimeError(kErrNoSuchRecord, "SetAddr without a record: " + std::string(name));
  impl_->triggers.reset();
  ++impl_->bindings;
  BoundRecord b{level, std::string(name), record, nullRecord};
  for (auto& r : records_) {
    if (iequals(r.name, name)) {
      r = b;
      return;
    }
  }
  records_.push_back(b);
}

const BoundRecord* Session::findRecord(std::string_view name) const {
  for (const auto& r : records_)
    if (iequals(r.name, name)) return &r;
  return nullptr;
}

const FieldDesc* Session::fieldOf(const Control& control, RecordRef* record) const {
  auto [it, added] = impl_->resolved.try_emplace(&control);
  Impl::Resolved& memo = it->second;
  if (added || memo.bindings != impl_->bindings || memo.fieldname != control.desc().fieldname) {
    memo.bindings = impl_->bindings;
    memo.fieldname = control.desc().fieldname;
    memo.record = findRecord(control.bufferName());
    memo.field = memo.record ? memo.record->record.layout->find(control.fieldName()) : nullptr;
  }
  if (memo.field && record) *record = memo.record->record;
  return memo.field;
}

std::string Session::valueOf(std::string_view bufferField) const {
  std::string buffer, field;
  if (!splitFieldRef(bufferField, buffer, field)) return {};
  const BoundRecord* r = findRecord(buffer);
  const FieldDesc* f = r ? r->record.layout->find(field) : nullptr;
  return f ? fieldText(r->record, *f) : std::string();
}

// Lines changed by code show in the totals once the screen redraws.
void Session::displayFields(const std::vector<Control*>& controls) {
  recomputeTriggers(*this);
  ui_->fieldsShown(controls);
}

void Session::setProperty(Control& control, std::string_view property, std::string_view value) {
  impl_->triggers.reset();
  control.setProperty(property, value);
  if (iequals(property, "levels")) impl_->levelsText.clear();
  ui_->propertyChanged(control, property);
}

Session* currentSession() {
  return current;
}

Session& session() {
  if (!current) throw RuntimeError(kErrNoDatabase, "No screen session is current.");
  return *current;
}

SessionScope::SessionScope(Session& s) : previous_(current) {
  current = &s;
}

SessionScope::~SessionScope() {
  current = previous_;
}

}  // namespace corvena::forms
