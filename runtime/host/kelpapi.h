#pragma once
// The host framework as screens call it: plain functions acting on the current
// session. Screen code writes `using namespace corvena::host;` and then uses
// the host's names as they stand. Lengths passed beside records are accepted
// and ignored: records carry their layout.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/audit_stamp.h"
#include "platform/db/record.h"
#include "platform/forms/control.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"
#include "platform/forms/fp.h"
#include "platform/forms/line_array.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/session.h"
#include "platform/forms/ui.h"

namespace corvena::host {

using forms::Control;
using forms::ControlClass;
using forms::ControlDesc;
using forms::Form;
using forms::FormDesc;
using forms::RuntimeError;
using Cursor = forms::CursorHandle;
using LineArrayHandle = forms::LineArray*;

inline constexpr int SilentRefusal = forms::kSilentRefusal;
inline constexpr int LineInserted = forms::kLineInserted;
inline constexpr int LineUpdated = forms::kLineUpdated;
inline constexpr int LineDeleted = forms::kLineDeleted;
inline constexpr int LineUnchanged = forms::kLineUnchanged;
inline constexpr int NotFound = 9;
inline constexpr int CurrencyPrecision = forms::kCurrencyPrecision;
// Message box styles and answers, status log codes and line modes; a level's
// change state (LevelChangeGet) is counted as a line's.
inline constexpr int StylePlain = forms::kStylePlain;
inline constexpr int StyleYesNo = forms::kStyleYesNo;
inline constexpr int StyleWarning = forms::kStyleWarning;
inline constexpr int AnswerYes = forms::kAnswerYes;
inline constexpr int StatusOpen = forms::kStatusOpen;
inline constexpr int StatusWrite = forms::kStatusWrite;
inline constexpr int StatusClose = forms::kStatusClose;
inline constexpr int StatusProgress = forms::kStatusProgress;
inline constexpr int StatusError = forms::kStatusError;

// A record argument that may be left out: screens pass NoControl (or nullptr)
// in the place of a record they do not give.
struct RecordArg {
  RecordRef ref;
  RecordArg(std::nullptr_t) {}        // NOLINT: the host's "no record"
  RecordArg(Control*) {}              // NOLINT: NoControl in a record place
  RecordArg(RecordRef r) : ref(r) {}  // NOLINT
  template <class R, class = decltype(R::layout())>
  RecordArg(R& r) : ref(r) {}  // NOLINT: any record
};

// The line-number field place of detailsetup: NoControl, or a 16-bit field.
struct FieldPlace {
  const void* address = nullptr;
  FieldPlace(std::nullptr_t) {}                 // NOLINT
  FieldPlace(Control*) {}                       // NOLINT: NoControl
  FieldPlace(std::int16_t& f) : address(&f) {}  // NOLINT
};

// A property value: text, a number or true/false.
struct PropValue {
  std::string text;
  PropValue(std::string_view s) : text(s) {}     // NOLINT
  PropValue(const char* s) : text(s) {}          // NOLINT
  PropValue(const std::string& s) : text(s) {}   // NOLINT
  PropValue(bool b) : text(b ? "1" : "0") {}     // NOLINT
  PropValue(int v) : text(std::to_string(v)) {}  // NOLINT
  PropValue(double v);                           // NOLINT
};

// --- records ---
void SetAddr(int level, std::string_view bufferName, RecordArg record,
             RecordArg nullRecord = nullptr, int length = 0);

// --- SQL ---
int SqlCursor(Cursor& cursor, int flags);
int SqlCursorEx(Cursor& cursor, int flags, std::string_view name, std::string_view table,
                std::string_view table2 = {});
void SqlFree(Cursor& cursor);
int SqlFetch1(Cursor& cursor, std::string_view statement, RecordArg record, int length = 0);
int SFetch1(Cursor& cursor, RecordArg record, int length = 0);
int SGroupFetch1(Cursor& cursor, double& value, int length = 8);
void SInsert1(Cursor& cursor, std::string_view table, RecordArg record, int length = 0);
void SInsertRecords(Cursor& cursor, std::string_view table, const std::vector<RecordRef>& records);
template <class R>
void SInsertRecords(Cursor& cursor, std::string_view table, const std::vector<R>& records) {
  SInsertRecords(cursor, table, std::vector<RecordRef>(records.begin(), records.end()));
}
void Sql(Cursor& cursor, std::string_view statement);

std::string SParm(std::string_view text);
template <std::size_t N>
std::string SParm(const Text<N>& text) {
  return SParm(text.view());
}
std::string IParm(long value);
std::string FParm(double value);
std::string DParm(const Date& value);

// --- possible values and navigation ---
// control null: the control whose entry is being checked.
int PVChkFetch1(Control* control, Cursor& cursor, std::string_view value, RecordArg record,
                int length = 0);
int PVChkFetch4(Control* control, Cursor& cursor, std::string_view value, RecordArg record1,
                int length1, RecordArg record2, int length2 = 0);
int Ex_dbnavfetch1(Control* control, Cursor& cursor, std::string& value, RecordArg record,
                   int length = 0);
// New level-0 records with a blank key get the next number of `source` at save;
// the number is copied into the detail key controls (NoControl or nullptr: none).
int AutoNbrDefault(Control* keyControl, std::string_view source, Control* detailKey1,
                   Control* detailKey2 = nullptr);

// --- messages and status log ---
// Whether the signed-on user may release batches from this screen; when not,
// the clerk is told so.
bool ReleaseAllowed();
// Whether the signed-on user may release batches on the host screen a release
// drives (0801000, 0803000), asked before the release writes anything there;
// when not, the clerk is told so.
bool HostReleaseAllowed(std::string_view program);
int MessBox(std::string_view text, int style, std::string_view caption);
int MessResponse();
void Mess(int number);
void MessfList(int number, const std::vector<std::string>& args);
inline std::string messArg(std::string_view s) {
  return std::string(s);
}
template <std::size_t N>
std::string messArg(const Text<N>& t) {
  return t.trimmed();
}
template <class... Args>
void Messf(int number, const Args&... args) {
  MessfList(number, {messArg(args)...});
}
void MessText(std::string_view text, std::string_view a = {}, std::string_view b = {},
              std::string_view c = {});
void Status(int code, int stop, std::string_view text, int mode);

// --- display, properties, buttons ---
// form null: the main form; NoControl at either end: the whole form.
void DispFields(Form* form, Control* first, Control* last);
void DispField(Control* control);
void SetButton(int buttons, int level, int state);
void SetCtrlProp(Control* control, std::string_view property, const PropValue& value);
void SetProps(Form* form, Control* first, Control* last, std::string_view property,
              const PropValue& value);
void SetColumnAllLines(Control* column, std::string_view text);

// --- grids and line arrays ---
LineArrayHandle detailsetup(Cursor& cursor, Control* grid, FieldPlace lineNumber, RecordArg r1,
                            int l1, RecordArg r2 = nullptr, int l2 = 0, RecordArg r3 = nullptr,
                            int l3 = 0, RecordArg r4 = nullptr, int l4 = 0);
void GridLoad(Control* grid);
LineArrayHandle mopen(RecordArg r1, int l1 = 0, RecordArg r2 = nullptr, int l2 = 0);
// Key segment (from 1) on the field at `field` inside `record`; typeCode as in
// fieldname (0 text, 1 int16, 2 float, 3 date); direction non-zero ascending, 0 descending.
void mkeyoffset(LineArrayHandle array, int segment, RecordArg record, const void* field,
                int typeCode, int length, int direction);
int LineArrayFirst(LineArrayHandle array);
int LineArrayNext(LineArrayHandle array);
void LineArrayUpdate(LineArrayHandle array);
void LineArrayInsert(LineArrayHandle array);
int LineArrayDelete(LineArrayHandle array);
void LineArrayClear(LineArrayHandle array);
int LineArrayGetPos(LineArrayHandle array);
void LineArraySetPos(LineArrayHandle array, int position);
int LineArrayGetState(LineArrayHandle array);
void LineArraySetState(LineArrayHandle array, int state);
void LineArraySort(LineArrayHandle array);
void LineArrayClose(LineArrayHandle array);
int LineArrayLoad(LineArrayHandle array, Cursor& cursor, std::string_view statement);
void LineArrayRedisplay(LineArrayHandle array);

// --- levels and saving ---
int LevelChangeGet(int level);
void LevelChangeSet(int level, int state);
void SaveAll();

// --- forms ---
void disp_form(Form* form, bool modal);
void hide_form(Form* form);
// -1 while the form is still shown.
int formwait(Form* form);
int HostWaitsForForm();

// --- dates and amounts ---
void DateToday(Date& date);
Date DateToday();
int DateCompare(const Date& a, const Date& b);
// Who saves now: the business date, the signed-on program and user.
db::AuditStamp SignedOnStamp();
double FPAdd(double a, double b, int precision = CurrencyPrecision);
double FPSub(double a, double b, int precision = CurrencyPrecision);
double FPMult(double a, double b, int precision = CurrencyPrecision);
double FPDiv(double a, double b, int precision = CurrencyPrecision);
double FPRound(double value, int precision = CurrencyPrecision);

}  // namespace corvena::host
