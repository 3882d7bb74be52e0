#include "runtime/host/kelpapi.h"

#include <cstdio>

#include "platform/forms/fp.h"
#include "platform/forms/messages.h"
#include "platform/signon/user_directory.h"

namespace corvena::host {

namespace {

forms::Session& S() {
  return forms::session();
}

// Each host function speaks to the part of the session it belongs to.
forms::UpdateControl& updates() {
  return S().updates();
}
forms::Grids& grids() {
  return S().grids();
}
forms::Cursors& cursors() {
  return S().cursors();
}
forms::MessageLog& messages() {
  return S().messages();
}

std::vector<RecordRef> refs(std::initializer_list<RecordArg> args) {
  std::vector<RecordRef> out;
  for (const auto& a : args)
    if (a.ref) out.push_back(a.ref);
  return out;
}

Control& need(Control* c, const char* what) {
  if (!c) throw RuntimeError(forms::kErrNoSuchControl, std::string(what) + " without a control");
  return *c;
}

Form& formOr(Form* form) {
  return form ? *form : S().mainForm();
}

double rounded(double v, int precision) {
  return forms::fpRoundTo(v, precision, S().currencyDecimals());
}

}  // namespace

PropValue::PropValue(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", v);
  text = buf;
}

void SetAddr(int level, std::string_view bufferName, RecordArg record, RecordArg nullRecord, int) {
  S().bindRecord(level, bufferName, record.ref, nullRecord.ref);
}

int SqlCursor(Cursor& cursor, int flags) {
  return cursors().openCursor(cursor, flags, "", "");
}

int SqlCursorEx(Cursor& cursor, int flags, std::string_view name, std::string_view table,
                std::string_view) {
  return cursors().openCursor(cursor, flags, name, table);
}

void SqlFree(Cursor& cursor) {
  cursors().freeCursor(cursor);
}

int SqlFetch1(Cursor& cursor, std::string_view statement, RecordArg record, int) {
  return cursors().fetchFirst(cursor, statement, refs({record}));
}

int SFetch1(Cursor& cursor, RecordArg record, int) {
  return cursors().fetchNext(cursor, refs({record}));
}

int SGroupFetch1(Cursor& cursor, double& value, int) {
  return cursors().fetchValue(cursor, value);
}

void SInsert1(Cursor& cursor, std::string_view table, RecordArg record, int) {
  cursors().insertRecord(cursor, table, record.ref);
}

void SInsertRecords(Cursor& cursor, std::string_view table, const std::vector<RecordRef>& records) {
  cursors().insertRecords(cursor, table, records);
}

void Sql(Cursor& cursor, std::string_view statement) {
  cursors().execute(cursor, statement);
}

std::string SParm(std::string_view text) {
  return db::textLiteral(text);
}
std::string IParm(long value) {
  return db::intLiteral(value);
}
std::string FParm(double value) {
  return db::floatLiteral(value);
}
std::string DParm(const Date& value) {
  return db::dateLiteral(value);
}

int PVChkFetch1(Control* control, Cursor& cursor, std::string_view value, RecordArg record, int) {
  return cursors().pvFetch(control, cursor, value, refs({record}));
}

int PVChkFetch4(Control* control, Cursor& cursor, std::string_view value, RecordArg record1, int,
                RecordArg record2, int) {
  return cursors().pvFetch(control, cursor, value, refs({record1, record2}));
}

int Ex_dbnavfetch1(Control* control, Cursor& cursor, std::string& value, RecordArg record, int) {
  return cursors().dbnavFetch(control, cursor, value, refs({record}));
}

int AutoNbrDefault(Control* keyControl, std::string_view source, Control* detailKey1,
                   Control* detailKey2) {
  updates().setAutoNumber(need(keyControl, "AutoNbrDefault"), std::string(source),
                          {detailKey1, detailKey2});
  return 0;
}

int MessBox(std::string_view text, int style, std::string_view caption) {
  return messages().messageBox(text, style, caption);
}

int MessResponse() {
  return messages().lastResponse();
}

bool ReleaseAllowed() {
  if (updates().rights().release) return true;
  messages().message(forms::kMsgNoRights, {"release batches"});
  return false;
}

bool HostReleaseAllowed(std::string_view program) {
  const std::string user = S().pes().UserId.trimmed(), screen(program);
  if (signon::UserDirectory(S().database()).rightsOn(user, screen).release) return true;
  messages().messageBox("You have no rights to release batches on " + screen +
                            ", through which this batch is released.",
                        forms::kStyleWarning, "System Message");
  return false;
}

void Mess(int number) {
  messages().message(number);
}

void MessfList(int number, const std::vector<std::string>& args) {
  messages().message(number, args);
}

void MessText(std::string_view text, std::string_view a, std::string_view b, std::string_view c) {
  std::string t(text);
  for (std::string_view more : {a, b, c})
    if (!more.empty()) t += " " + std::string(more);
  messages().messageBox(t, forms::kStylePlain, forms::kMessageCaption);
}

void Status(int code, int stop, std::string_view text, int mode) {
  messages().status(code, stop, text, mode);
}

void DispFields(Form* form, Control* first, Control* last) {
  S().displayFields(formOr(form).range(first, last));
}

void DispField(Control* control) {
  S().displayFields({&need(control, "DispField")});
}

void SetButton(int buttons, int level, int state) {
  updates().setButtons(buttons, level, state);
}

void SetCtrlProp(Control* control, std::string_view property, const PropValue& value) {
  S().setProperty(need(control, "SetCtrlProp"), property, value.text);
}

void SetProps(Form* form, Control* first, Control* last, std::string_view property,
              const PropValue& value) {
  for (Control* c : formOr(form).range(first, last)) S().setProperty(*c, property, value.text);
}

void SetColumnAllLines(Control* column, std::string_view text) {
  grids().setColumnAllLines(need(column, "SetColumnAllLines"), text);
}

LineArrayHandle detailsetup(Cursor& cursor, Control* grid, FieldPlace lineNumber, RecordArg r1, int,
                            RecordArg r2, int, RecordArg r3, int, RecordArg r4, int) {
  return grids().detailSetup(cursor, need(grid, "detailsetup"), lineNumber.address,
                             refs({r1, r2, r3, r4}));
}

void GridLoad(Control* grid) {
  grids().gridLoad(need(grid, "GridLoad"));
}

LineArrayHandle mopen(RecordArg r1, int, RecordArg r2, int) {
  return grids().openArray(refs({r1, r2}));
}

void mkeyoffset(LineArrayHandle array, int segment, RecordArg record, const void* field, int, int,
                int direction) {
  forms::LineArray& a = grids().array(array);
  const auto& recs = a.records();
  const char* p = static_cast<const char*>(field);
  for (std::size_t r = 0; r < recs.size(); ++r) {
    if (record.ref && recs[r].data != record.ref.data) continue;
    const auto offset = static_cast<std::size_t>(p - recs[r].bytes());
    for (const auto& f : recs[r].layout->fields())
      if (f.offset == offset) {
        a.setKey(static_cast<std::size_t>(segment > 0 ? segment - 1 : 0), {r, &f, direction != 0});
        return;
      }
  }
  throw RuntimeError(forms::kErrNoSuchField, "mkeyoffset: the field is not in the array's records");
}

int LineArrayFirst(LineArrayHandle array) {
  return grids().array(array).first();
}
int LineArrayNext(LineArrayHandle array) {
  return grids().array(array).next();
}
void LineArrayUpdate(LineArrayHandle array) {
  grids().array(array).update();
}
void LineArrayInsert(LineArrayHandle array) {
  grids().array(array).insert();
}
int LineArrayDelete(LineArrayHandle array) {
  return grids().array(array).remove();
}
void LineArrayClear(LineArrayHandle array) {
  grids().array(array).clear();
}
int LineArrayGetPos(LineArrayHandle array) {
  return grids().array(array).position();
}
void LineArraySetPos(LineArrayHandle array, int position) {
  grids().array(array).setPosition(position);
}
int LineArrayGetState(LineArrayHandle array) {
  return grids().array(array).state();
}
void LineArraySetState(LineArrayHandle array, int state) {
  grids().array(array).setState(state);
}
void LineArraySort(LineArrayHandle array) {
  grids().array(array).sort();
}
void LineArrayClose(LineArrayHandle array) {
  grids().closeArray(array);
}
int LineArrayLoad(LineArrayHandle array, Cursor& cursor, std::string_view statement) {
  return grids().loadArray(array, cursor, statement);
}
void LineArrayRedisplay(LineArrayHandle array) {
  grids().redisplay(array);
}

int LevelChangeGet(int level) {
  return updates().levelChange(level);
}
void LevelChangeSet(int level, int state) {
  updates().setLevelChange(level, state);
}
void SaveAll() {
  updates().save();
}

void disp_form(Form* form, bool modal) {
  S().showForm(formOr(form), modal);
}
void hide_form(Form* form) {
  S().hideForm(formOr(form));
}
int formwait(Form* form) {
  return formOr(form).shown() ? -1 : 0;
}
int HostWaitsForForm() {
  return S().ui().waitsForForms() ? 1 : 0;
}

void DateToday(Date& date) {
  date = S().businessDate();
}
Date DateToday() {
  return S().businessDate();
}
db::AuditStamp SignedOnStamp() {
  const auto& pes = S().pes();
  return {S().businessDate(), pes.Prog.trimmed(), pes.UserId.trimmed()};
}
int DateCompare(const Date& a, const Date& b) {
  return a.serial() < b.serial() ? -1 : a.serial() > b.serial() ? 1 : 0;
}

double FPAdd(double a, double b, int precision) {
  return rounded(a + b, precision);
}
double FPSub(double a, double b, int precision) {
  return rounded(a - b, precision);
}
double FPMult(double a, double b, int precision) {
  return rounded(a * b, precision);
}
double FPDiv(double a, double b, int precision) {
  if (b == 0) throw RuntimeError(11, "Division by zero");
  return rounded(a / b, precision);
}
double FPRound(double value, int precision) {
  return rounded(value, precision);
}

}  // namespace corvena::host
